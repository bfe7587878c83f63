// One number and its unit in UTF-16, built whole on the stack before it is written, or the mark of
// a number too large to be held.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace io {

// "00" to "99": one table for the program, never copied onto the stack.
inline constexpr std::array<char16_t, 200> digit_pairs = [] {
  std::array<char16_t, 200> table{};
  for (std::size_t i = 0; i < 100; ++i) {
    table[2 * i] = static_cast<char16_t>(u'0' + i / 10);
    table[2 * i + 1] = static_cast<char16_t>(u'0' + i % 10);
  }
  return table;
}();

class NumberText {
 public:
  void mark_too_large() noexcept { too_large_ = true; }
  bool is_too_large() const noexcept { return too_large_; }
  // A number too large to be held is an error only once it is written, so that everything written
  // before it stays in place: the sinks call this before they write anything of the number.
  void check() const {
    if (too_large_) raise_too_large();
  }
  std::u16string_view view() const noexcept { return {text_, size_}; }
  // The number without its unit, and the unit.
  std::u16string_view number() const noexcept { return view().substr(0, unit_start_); }
  std::u16string_view unit() const noexcept { return view().substr(unit_start_); }

  void push(char16_t c) noexcept { text_[size_++] = c; }
  // Units are a few characters: a loop beats the call a variable-length copy would make.
  void push(std::u16string_view run) noexcept {
    for (char16_t c : run) push(c);
  }
  void push_zeros(int count) noexcept {
    for (; count > 0; --count) push(u'0');
  }
  // The last `count` digits of the magnitude, zeros in front where it has fewer, two at a time.
  void push_digits(std::uint64_t magnitude, int count) noexcept {
    size_ += static_cast<std::size_t>(count);
    char16_t* digit = text_ + size_;
    for (; count >= 2; count -= 2, magnitude /= 100) {
      digit -= 2;
      std::memcpy(digit, &digit_pairs[2 * static_cast<std::size_t>(magnitude % 100)], 2 * sizeof(char16_t));
    }
    if (count == 1) *--digit = static_cast<char16_t>(u'0' + magnitude % 10);
  }
  void push_unit(std::u16string_view unit) noexcept {
    unit_start_ = size_;
    push(unit);
  }

 private:
  // "decimal overflow".
  [[noreturn]] static void raise_too_large();

  // A sign, "0.", 31 zeros, 18 digits and a point, or 18 digits and 48 zeros; then a unit.
  char16_t text_[88];
  std::size_t size_ = 0;
  std::size_t unit_start_ = sizeof text_ / sizeof text_[0];
  bool too_large_ = false;
};

}  // namespace io
