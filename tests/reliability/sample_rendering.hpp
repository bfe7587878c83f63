// Renders the host's sample payloads through the catalogue's entries, keeping everything a host
// can observe, for property checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com.h"
#include "samples.hpp"

namespace test {

enum class Form { xml, text };

struct Observed {
  HRESULT hr = S_OK;
  std::u16string text;
  std::uint32_t colour = 0;
  bool colour_stored = false;
  bool guards_intact = true;
  bool terminated = true;
  bool has_description = false;
  std::string description;
};

// Calls the row's entry over the first `length` payload bytes with a buffer of `capacity`
// units; the thread's error information is set to a marker first and read back after.
Observed observe(std::size_t row, Form form, const std::vector<std::uint8_t>& payload,
                 std::size_t length, std::uint32_t capacity);

// True when no runtime object (moniker, bind context, task memory, BSTR, error information) lives.
bool runtime_is_idle();

const std::vector<host::Sample>& samples();

}  // namespace test
