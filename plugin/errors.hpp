// The error family as the entries see it: the errors of the lower layers, and those that only
// the entries recognise.
#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>

#include "com/error.hpp"
#include "io/errors.hpp"

namespace data {

template <class E>
struct invalid_option : std::runtime_error {
  explicit invalid_option(E v) : std::runtime_error("Invalid Value"), value(v) {}
  E value;
};

}  // namespace data

// Recognised by the entries, raised nowhere in the library.
namespace win32 {
struct error : std::exception {
  explicit error(std::uint32_t c) noexcept : code(c) {}
  const char* what() const noexcept override { return "win32 error"; }
  std::uint32_t code;
};
}  // namespace win32

struct bad_pointer : std::exception {
  const char* what() const noexcept override { return "bad pointer"; }
};
struct not_implemented : std::exception {
  const char* what() const noexcept override { return "not implemented"; }
};
struct not_expected : std::exception {
  const char* what() const noexcept override { return "not expected"; }
};
