// Built-in sample payloads for every catalogue row, covering each row's main outcomes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct Sample {
  std::size_t row;
  std::string title;
  std::vector<std::uint8_t> payload;
};

// In row order.
std::vector<Sample> make_samples();

}  // namespace host
