#include "io/text_output.hpp"

#include <algorithm>

#include "io/errors.hpp"
#include "io/read_observer.hpp"

namespace io::text {

output_stream::output_stream(char16_t* buffer, std::uint32_t size) noexcept
    : begin_(buffer), position_(buffer), end_(buffer + size) {
  *position_ = u'\0';
#if VED_OBSERVE_READS
  if (io::ReadObserver* observer = io::ReadObserver::current()) observer->sink_opened(*this);
#endif
}

void output_stream::raise_overflow(std::size_t n) const {
  throw io::overflow(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(room() - 1));
}

void output_stream::write_number_in_parts(const NumberText& number) {
  // The characters that fit, each as if written alone; the first that does not fit fails alone.
  const std::u16string_view digits = number.number();
  const std::size_t fitting = std::min(digits.size(), room() - 1);
  copy_units(position_, digits.data(), fitting);
  commit(fitting);
  if (fitting != digits.size()) raise_overflow(1);
  put_text(number.unit());
}

}  // namespace io::text
