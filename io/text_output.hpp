// The bounded writer over the host's UTF-16 buffer. The buffer holds a terminated text after
// every write; a write that does not fit raises io::overflow and writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/copy_units.hpp"
#include "io/narrow_text.hpp"
#include "io/number_text.hpp"
#include "io/wide_text.hpp"
#include "io/widening.hpp"

namespace io::text {

class output_stream {
 public:
  // Stores the terminator in buffer[0]: size must be at least 1.
  output_stream(char16_t* buffer, std::uint32_t size) noexcept;
  output_stream(const output_stream&) = delete;
  output_stream& operator=(const output_stream&) = delete;
  virtual ~output_stream() = default;

  std::size_t room() const noexcept { return static_cast<std::size_t>(end_ - position_); }
  std::size_t written() const noexcept { return static_cast<std::size_t>(position_ - begin_); }
  const char16_t* data() const noexcept { return begin_; }

  // Text renderers and the formatting code write through put_text on either sink. Inline:
  // renderers write in many short pieces, so the call would cost more than the copy.
  [[gnu::always_inline]] void put_text(std::string_view text) {
    reserve(text.size());
    widen_ansi(text.data(), text.size(), position_);
    commit(text.size());
  }
  [[gnu::always_inline]] void put_text(std::u16string_view text) {
    reserve(text.size());
    copy_units(position_, text.data(), text.size());
    commit(text.size());
  }
  [[gnu::always_inline]] void put_text(NarrowText text) { put_text(text.text); }
  [[gnu::always_inline]] void put_text(WideText text) {
    reserve(text.units);
    text.copy_to(position_);
    commit(text.units);
  }
  [[gnu::always_inline]] void put_text(const NumberText& number) {
    number.check();
    write_number(number);
  }

 protected:
  // Raises io::overflow unless n characters and the terminator fit.
  [[gnu::always_inline]] void reserve(std::size_t n) const {
    if (n >= room()) [[unlikely]]
      raise_overflow(n);
  }
  [[gnu::always_inline]] void commit(std::size_t n) noexcept {
    position_ += n;
    *position_ = u'\0';
  }
  char16_t* position() const noexcept { return position_; }
  // A checked number as one write when it fits; otherwise as writes of one character each and
  // one more for the unit, so that an overflow keeps every character that fits.
  [[gnu::always_inline]] void write_number(const NumberText& number) {
    const std::u16string_view text = number.view();
    if (text.size() >= room()) [[unlikely]]
      return write_number_in_parts(number);
    copy_units(position_, text.data(), text.size());
    commit(text.size());
  }

 private:
  [[noreturn]] void raise_overflow(std::size_t n) const;
  [[gnu::cold]] void write_number_in_parts(const NumberText& number);

  char16_t* begin_;
  char16_t* position_;
  char16_t* end_;
};

}  // namespace io::text

namespace ui::event {

class text_output : public io::text::output_stream {
 public:
  using output_stream::output_stream;
};

}  // namespace ui::event
