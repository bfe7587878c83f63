#include "io/errors.hpp"

#include <algorithm>
#include <cstring>
#include <new>

#include "com/text_services.hpp"
#include "io/widening.hpp"

namespace {

constexpr std::size_t message_size = 260;

}  // namespace

// The messages are kept word for word, misspellings included: viewers and their users match the
// descriptions as text.
namespace io {

overflow::overflow(std::uint32_t n, std::uint32_t a)
    : error("an overflow occured"), needed(n), available(a) {}

underflow::underflow(std::uint32_t n, std::uint32_t a)
    : error("an underflow occured"), needed(n), available(a) {}

}  // namespace io

old_error::old_error(const old_error& other) : std::exception(other) {
  const char* text = other.what();
  std::size_t length = std::strlen(text);
  message_ = new char[length + 1];
  std::memcpy(message_, text, length + 1);
}

old_error::~old_error() { delete[] message_; }

const char* old_error::what() const noexcept {
  if (message_ == nullptr) {
    char* cache = new (std::nothrow) char[message_size];
    if (cache == nullptr) return "bad allocation";
    char16_t text[message_size];
    text[0] = u'\0';
    format_message(text, message_size);
    com::utf16_to_utf8(text, cache, message_size);
    message_ = cache;
  }
  return message_;
}

template <>
std::uint32_t error_impl<io::end_of_file>::format_message(char16_t* destination,
                                                          std::uint32_t size) const noexcept {
  static constexpr char message[] = "The end of file was reached durring an IO operation.";
  // Too small for a character and its terminator: nothing is written, and the size itself is the
  // failure status (any non-zero value is one).
  if (size < 2) return size;
  std::size_t n = std::min<std::size_t>(size - 1, sizeof message - 1);
  io::widen_ansi(message, n, destination);
  destination[n] = u'\0';
  return 0;
}

template <>
std::uint32_t generic_error_t<char16_t>::format_message(char16_t* destination,
                                                        std::uint32_t size) const noexcept {
  if (size == 0) return 0;
  std::size_t n = 0;
  for (; n + 1 < size && message[n] != u'\0'; ++n) destination[n] = message[n];
  destination[n] = u'\0';
  return 0;
}
