// Exact value formatting. A value becomes its text on the stack first (nothing is allocated),
// then reaches the caller's buffer through either sink as one copy; when it does not fit, a
// number's characters are separate writes and its unit one more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/decimal.hpp"
#include "io/enum_names.hpp"
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

// Digits of a 32-bit value in upper-case hexadecimal, at least min_digits of them (zero-filled).
struct HexDigits {
  char digits[8];
  std::uint8_t count;
  std::string_view view() const noexcept { return {digits, count}; }
};
HexDigits hex_digits(std::uint32_t value, unsigned min_digits) noexcept;

std::u16string_view bool_text(std::uint32_t value) noexcept;
// The name of the row holding the value, or "(invalid)": a payload value outside its table is
// not an error.
template <class E, std::size_t N>
constexpr std::u16string_view enum_text(const EnumRow<E, std::u16string_view> (&table)[N],
                                        std::uint32_t value) noexcept {
  constexpr std::u16string_view invalid = u"(invalid)";
  return enum_name_of(table, static_cast<E>(value), invalid);
}

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
template <class Sink, class E, std::size_t N>
void enum_name(Sink& out, std::uint32_t value, const EnumRow<E, std::u16string_view> (&table)[N]) {
  out.put_text(enum_text(table, value));
}

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

inline constexpr io::EnumRow<INBAND_IENABLE, std::u16string_view> inband_enable_names[] = {
    {INBAND_IENABLE::Disable, u"Disable"},
    {INBAND_IENABLE::Enable, u"Enable"},
    {INBAND_IENABLE::Inherit, u"Inherit"},
};

inline constexpr io::EnumRow<ENTRY_RATE_OPTIONS, std::u16string_view> entry_rate_option_names[] = {
    {ENTRY_RATE_OPTIONS::Disable, u"Disable"},
    {ENTRY_RATE_OPTIONS::ManualEntry, u"Manual Entry"},
    {ENTRY_RATE_OPTIONS::Inherit, u"Inherit"},
    {ENTRY_RATE_OPTIONS::ReservationIdeal, u"Reservation Ideal"},
    {ENTRY_RATE_OPTIONS::ReservationMinimum, u"Reservation Minimum"},
    {ENTRY_RATE_OPTIONS::ChannelMinimum, u"Channel Minimum"},
};

}  // namespace data
