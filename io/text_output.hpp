// The bounded writer over the host's UTF-16 buffer. The buffer holds a terminated text after
// every write; a write that does not fit raises io::overflow and writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/copy_units.hpp"
#include "io/formatted_text.hpp"
#include "io/narrow_text.hpp"
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

  // Inline: renderers write in many short pieces, so the call would cost more than the copy.
  void write_chars(const char* text, std::size_t n) {
    reserve(n);
    widen_ansi(text, n, position_);
    commit(n);
  }
  void write_wchars(const char16_t* text, std::size_t n) {
    reserve(n);
    copy_units(position_, text, n);
    commit(n);
  }
  void write_wchars(WideText text) {
    reserve(text.units);
    text.copy_to(position_);
    commit(text.units);
  }

  // Text renderers and the formatting code write through put_text on either sink.
  void put_text(std::string_view text) { write_chars(text.data(), text.size()); }
  void put_text(std::u16string_view text) { write_wchars(text.data(), text.size()); }
  void put_text(WideText text) { write_wchars(text); }
  void put_text(NarrowText text) { write_chars(text.text.data(), text.size()); }
  void put_text(FormattedText text) { write_wchars(text.text.data(), text.text.size()); }

 protected:
  // Raises io::overflow unless n characters and the terminator fit.
  void reserve(std::size_t n) const {
    if (n >= room()) [[unlikely]]
      raise_overflow(n);
  }
  void commit(std::size_t n) noexcept {
    position_ += n;
    *position_ = u'\0';
  }
  char16_t* position() const noexcept { return position_; }

 private:
  [[noreturn]] void raise_overflow(std::size_t n) const;

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
