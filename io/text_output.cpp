#include "io/text_output.hpp"

#include <cstring>

#include "io/com_services.hpp"
#include "plugin/errors.hpp"

namespace io::text {

output_stream::output_stream(char16_t* buffer, std::uint32_t size) noexcept
    : begin_(buffer), position_(buffer), end_(buffer + size) {
  *position_ = u'\0';
}

void output_stream::reserve(std::size_t n) const {
  if (n >= room())
    throw io::overflow(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(room() - 1));
}

void output_stream::write_chars(const char* text, std::size_t n) {
  reserve(n);
  widen_ansi(text, n, position_);
  commit(n);
}

void output_stream::write_wchars(const char16_t* text, std::size_t n) {
  reserve(n);
  if (n != 0) std::memcpy(position_, text, n * sizeof(char16_t));
  commit(n);
}

void output_stream::write_wchars(WideText text) {
  reserve(text.units);
  text.copy_to(position_);
  commit(text.units);
}

}  // namespace io::text
