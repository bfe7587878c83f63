#include "io/text_output.hpp"

#include "plugin/errors.hpp"

namespace io::text {

output_stream::output_stream(char16_t* buffer, std::uint32_t size) noexcept
    : begin_(buffer), position_(buffer), end_(buffer + size) {
  *position_ = u'\0';
}

void output_stream::raise_overflow(std::size_t n) const {
  throw io::overflow(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(room() - 1));
}

}  // namespace io::text
