// A one-line progress display on a terminal: a bar when the input's size is known, otherwise
// the count, and the rate either way. Disabled, it does nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace host {

class ProgressMeter {
 public:
  ProgressMeter(std::FILE* terminal, bool enabled, std::optional<std::uint64_t> total_bytes) noexcept;

  // Redraws at most a few times a second.
  void update(std::uint64_t events, std::uint64_t bytes_read);
  // Erases the line, so that other messages start at its left.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;

  std::FILE* terminal_;
  bool enabled_;
  bool drawn_ = false;
  std::optional<std::uint64_t> total_bytes_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_draw_{};
};

}  // namespace host
