// Exact value formatting. A value becomes its text on the stack first (nothing is allocated),
// then reaches the caller's buffer through either sink as one copy; when it does not fit, a
// number's characters are separate writes and its unit one more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "io/decimal.hpp"
#include "io/number_text.hpp"

namespace io {

NumberText decimal_text(decimal value);
NumberText integer_text(std::int32_t value);
NumberText integer_text(std::uint32_t value);
// In the unit their size calls for: "14.25GHz", "2.048Mbps".
NumberText frequency_text(std::int64_t hertz);
NumberText bit_rate_text(std::int32_t bits_per_second);
NumberText power_text(std::int16_t hundredths_dbm);

struct UnitRow {
  std::u16string_view name;
  int exponent;  // the unit is 10^exponent, so dividing by it only moves the decimal point
};

extern const UnitRow frequency_units[6];
extern const UnitRow bit_rate_units[5];

struct EnumRow {
  std::string_view name;
  std::u16string_view wide_name;
  std::uint32_t length;  // of the name, terminator included
  std::uint32_t value;
};

// Digits of a 32-bit value in upper-case hexadecimal, at least min_digits of them (zero-filled).
struct HexDigits {
  char digits[8];
  std::uint8_t count;
  std::string_view view() const noexcept { return {digits, count}; }
};
HexDigits hex_digits(std::uint32_t value, unsigned min_digits) noexcept;

std::u16string_view bool_text(std::uint32_t value) noexcept;
// The wide name of the enumeration E's row holding the value, or "(invalid)" when none does.
template <class E>
std::u16string_view enum_text(std::uint32_t value);

// Each writes into either sink; numbers are built whole first (NumberText).
template <class Sink> void format_decimal(Sink& out, decimal value) { out.put_text(decimal_text(value)); }
template <class Sink> void format_integer(Sink& out, std::int32_t value) { out.put_text(integer_text(value)); }
template <class Sink> void format_integer(Sink& out, std::uint32_t value) { out.put_text(integer_text(value)); }
template <class Sink> void format_frequency(Sink& out, std::int64_t hertz) { out.put_text(frequency_text(hertz)); }
template <class Sink> void format_bit_rate(Sink& out, std::int32_t bits_per_second) {
  out.put_text(bit_rate_text(bits_per_second));
}
template <class Sink> void format_power(Sink& out, std::int16_t hundredths_dbm) {
  out.put_text(power_text(hundredths_dbm));
}
template <class Sink> void format_bool(Sink& out, std::uint32_t value) { out.put_text(bool_text(value)); }
template <class E, class Sink> void enum_name(Sink& out, std::uint32_t value) { out.put_text(enum_text<E>(value)); }

}  // namespace io

namespace data {

enum class INBAND_IENABLE : std::uint32_t { Disable = 0, Enable = 1, Inherit = 2 };
enum class ENTRY_RATE_OPTIONS : std::uint32_t {
  Disable = 0,
  ManualEntry = 1,
  Inherit = 2,
  ReservationIdeal = 3,
  ReservationMinimum = 4,
  ChannelMinimum = 5,
};

// The name table of an enumeration, one row per value in value order.
template <class E>
std::span<const io::EnumRow> name_table() noexcept;
template <>
std::span<const io::EnumRow> name_table<INBAND_IENABLE>() noexcept;
template <>
std::span<const io::EnumRow> name_table<ENTRY_RATE_OPTIONS>() noexcept;

// Checked access to a name table: a value past its end raises data::invalid_option<E>.
template <class E>
const io::EnumRow& name_row(E value);

}  // namespace data
