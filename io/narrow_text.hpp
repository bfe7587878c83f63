// Narrow text from a payload, viewed in place: each byte becomes one UTF-16 unit when written.
// A type of its own, apart from the library's narrow literals, because XML escapes it.
#pragma once

#include <cstddef>
#include <string_view>

#include "io/widening.hpp"

namespace io {

struct NarrowText {
  std::string_view text;

  bool empty() const noexcept { return text.empty(); }
  std::size_t size() const noexcept { return text.size(); }
  NarrowText substr(std::size_t from, std::size_t n) const noexcept { return {text.substr(from, n)}; }
  // Widens the text into `destination`, which has room for size() units.
  void copy_to(char16_t* destination) const noexcept {
    widen_ansi(text.data(), text.size(), destination);
  }
};

}  // namespace io
