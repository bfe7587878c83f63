// Exact value formatting into either sink. A number's characters are separate writes and a unit
// one write, straight into the caller's buffer; nothing is allocated.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "io/decimal.hpp"

namespace io {

struct UnitRow {
  std::u16string_view name;
  int exponent;  // the unit is 10^exponent, so dividing by it only moves the decimal point
};

extern const UnitRow frequency_units[6];
extern const UnitRow bit_rate_units[5];

// The unit whose size is the largest not above |value| (the first row for small values).
const UnitRow& choose_unit(decimal value, std::span<const UnitRow> table);

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

template <class Sink> void format_decimal(Sink& out, decimal value);
template <class Sink> void format_integer(Sink& out, std::int32_t value);
template <class Sink> void format_integer(Sink& out, std::uint32_t value);
template <class Sink> void format_frequency(Sink& out, std::int64_t hertz);
template <class Sink> void format_bit_rate(Sink& out, std::int32_t bits_per_second);
template <class Sink> void format_power(Sink& out, std::int16_t hundredths_dbm);
template <class Sink> void format_bool(Sink& out, std::uint32_t value);
// The wide name of the enumeration E's row holding the value, or "(invalid)" when none does.
template <class E, class Sink> void enum_name(Sink& out, std::uint32_t value);

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
