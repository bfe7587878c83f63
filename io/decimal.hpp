// A small exact decimal: a signed 58-bit mantissa and a signed 6-bit exponent packed in 64 bits,
// value = mantissa * 10^exponent. Unit scaling only shifts the exponent, so nothing is rounded.
#pragma once

#include <cstdint>
#include <string_view>

namespace io {

class decimal {
 public:
  static constexpr std::int64_t max_mantissa = (std::int64_t{1} << 57) - 1;
  static constexpr std::int64_t min_mantissa = -(std::int64_t{1} << 57);

  constexpr decimal() noexcept = default;
  // A 64-bit integer keeps its low 58 bits, read as a signed 58-bit number.
  static constexpr decimal from_integer(std::int64_t value) noexcept { return pack(value, 0); }
  // mantissa and exponent are wrapped to their field widths.
  static constexpr decimal pack(std::int64_t mantissa, int exponent) noexcept {
    decimal d;
    d.bits_ = (static_cast<std::uint64_t>(mantissa) & mantissa_mask) |
              (static_cast<std::uint64_t>(exponent) << 58);
    return d;
  }

  constexpr std::int64_t mantissa() const noexcept {
    // Sign-extend bit 57.
    return static_cast<std::int64_t>(bits_ << 6) >> 6;
  }
  constexpr int exponent() const noexcept { return static_cast<int>(static_cast<std::int64_t>(bits_) >> 58); }
  constexpr std::uint64_t bits() const noexcept { return bits_; }

 private:
  static constexpr std::uint64_t mantissa_mask = (std::uint64_t{1} << 58) - 1;
  std::uint64_t bits_ = 0;
};

decimal normalize(decimal d) noexcept;
// Raise generic_error_t "decimal overflow" when the result's mantissa does not fit 58 bits.
decimal multiply(decimal a, decimal b);
// Reads an optionally signed run of digits with at most one point from the front of `text` and
// moves it past them. Raises "decimal expected" for an empty run, "decimal overflow" when the
// mantissa exceeds 58 bits.
decimal parse_decimal(std::string_view& text);

}  // namespace io
