// Narrow text from a payload, viewed in place: each byte becomes one UTF-16 unit when written.
// A type of its own, apart from the library's narrow literals, because XML escapes it.
#pragma once

#include <cstddef>
#include <string_view>

namespace io {

struct NarrowText {
  std::string_view text;

  bool empty() const noexcept { return text.empty(); }
  std::size_t size() const noexcept { return text.size(); }
  NarrowText substr(std::size_t from, std::size_t n) const noexcept { return {text.substr(from, n)}; }
};

}  // namespace io
