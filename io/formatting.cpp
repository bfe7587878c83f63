#include "io/formatting.hpp"

#include <array>
#include <bit>
#include <cstring>
#include <utility>

#include "io/text_output.hpp"
#include "io/xml_output.hpp"
#include "plugin/errors.hpp"

namespace io {
namespace {

// Built once at load time, before any renderer can run.
const decimal power_factor = [] {
  std::string_view text = "0.01";
  return parse_decimal(text);
}();

// |d|; the one magnitude 58 bits cannot hold is an overflow.
decimal absolute(decimal d) {
  if (d.mantissa() == decimal::min_mantissa)
    throw generic_error_t<char16_t>(u"decimal overflow");
  return d.mantissa() < 0 ? decimal::pack(-d.mantissa(), d.exponent()) : d;
}

// Powers of ten up to the largest a 58-bit magnitude reaches.
constexpr auto powers_of_ten = [] {
  std::array<std::uint64_t, 19> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

// The decimal digits of a magnitude above zero: its bit width times log10(2) estimates them, one
// comparison settles the estimate.
int digit_count(std::uint64_t magnitude) noexcept {
  const auto estimate = static_cast<std::size_t>(std::bit_width(magnitude)) * 1233 >> 12;
  return static_cast<int>(estimate + 1) - (magnitude < powers_of_ten[estimate] ? 1 : 0);
}

// The characters of one number, built in UTF-16 before any of them is written, so that number
// and unit go to the buffer as one copy.
class NumberText {
 public:
  void push(char16_t c) noexcept { text_[size_++] = c; }
  // Units are a few characters: a loop beats the call a variable-length copy would make.
  void push(std::u16string_view run) noexcept {
    for (char16_t c : run) push(c);
  }
  void push_zeros(int count) noexcept {
    for (; count > 0; --count) push(u'0');
  }
  // The last `count` digits of the magnitude, zeros in front where it has fewer.
  void push_digits(std::uint64_t magnitude, int count) noexcept {
    // Static: as a plain local the table would be copied onto the stack at every call.
    static constexpr auto pairs = [] {
      std::array<char16_t, 200> table{};
      for (std::size_t i = 0; i < 100; ++i) {
        table[2 * i] = static_cast<char16_t>(u'0' + i / 10);
        table[2 * i + 1] = static_cast<char16_t>(u'0' + i % 10);
      }
      return table;
    }();
    size_ += static_cast<std::size_t>(count);
    char16_t* digit = text_ + size_;
    for (; count >= 2; count -= 2, magnitude /= 100) {
      digit -= 2;
      std::memcpy(digit, &pairs[2 * (magnitude % 100)], 2 * sizeof(char16_t));
    }
    if (count == 1) *--digit = static_cast<char16_t>(u'0' + magnitude % 10);
  }
  std::u16string_view view() const noexcept { return {text_, size_}; }

 private:
  // A sign, "0.", 31 zeros, 18 digits and a point, or 18 digits and 48 zeros; then a unit.
  char16_t text_[88];
  std::size_t size_ = 0;
};

// Each character of a number is a write of its own and its unit one more, so an overflow keeps
// every character that fitted. Number and unit as one write leave the same text when they fit;
// when they do not, they are written piece by piece to fail exactly where that would.
template <class Sink>
void put_number(Sink& out, NumberText&& text, std::u16string_view unit = {}) {
  const std::u16string_view number = text.view();
  text.push(unit);
  try {
    out.put_text(text.view());
  } catch (const io::overflow&) {
    for (const char16_t& c : number) out.put_text(std::u16string_view(&c, 1));
    if (!unit.empty()) out.put_text(unit);
  }
}

NumberText decimal_text(decimal value) {
  NumberText text;
  std::int64_t m = value.mantissa();
  if (m == 0) {
    text.push(u'0');
    return text;
  }
  if (m < 0) {
    text.push(u'-');
    m = -m;
  }
  // Normal form first: the trailing zeros go into the exponent, four at a time while they last.
  auto rest = static_cast<std::uint64_t>(m);
  int exponent = value.exponent();
  for (; rest % 10000 == 0; rest /= 10000) exponent += 4;
  for (; rest % 10 == 0; rest /= 10) ++exponent;
  const int n = digit_count(rest);
  const int p = exponent + n;  // digits before the point
  if (p <= 0) {
    text.push(u"0.");
    text.push_zeros(-p);
    text.push_digits(rest, n);
  } else if (p < n) {
    const std::uint64_t fraction_scale = powers_of_ten[static_cast<std::size_t>(n - p)];
    text.push_digits(rest / fraction_scale, p);
    text.push(u'.');
    text.push_digits(rest % fraction_scale, n - p);
  } else {
    text.push_digits(rest, n);
    text.push_zeros(p - n);
  }
  return text;
}

template <class Sink>
void format_with_unit(Sink& out, decimal value, std::span<const UnitRow> table) {
  const UnitRow& unit = choose_unit(value, table);
  // The quotient by the unit, found without dividing: a power of ten divides exactly by moving
  // the point.
  put_number(out, decimal_text(decimal::pack(value.mantissa(), value.exponent() - unit.exponent)),
             unit.name);
}

}  // namespace

const UnitRow frequency_units[6] = {
    {u"Hz", 0}, {u"KHz", 3}, {u"MHz", 6}, {u"GHz", 9}, {u"THz", 12}, {u"PHz", 15},
};

const UnitRow bit_rate_units[5] = {
    {u"bps", 0}, {u"Kbps", 3}, {u"Mbps", 6}, {u"Gbps", 9}, {u"Tbps", 12},
};

const UnitRow& choose_unit(decimal value, std::span<const UnitRow> table) {
  const decimal size = absolute(value);
  if (size.mantissa() == 0) return table.front();
  // Every unit size is a power of ten, so |value| reaches one exactly when its order of
  // magnitude, the digits before its point less one, reaches that size's exponent.
  const int magnitude =
      digit_count(static_cast<std::uint64_t>(size.mantissa())) - 1 + size.exponent();
  std::size_t i = 1;
  while (i < table.size() && table[i].exponent <= magnitude) ++i;
  return table[i - 1];
}

HexDigits hex_digits(std::uint32_t value, unsigned min_digits) noexcept {
  static constexpr char alphabet[] = "0123456789ABCDEF";
  unsigned count = 1;
  while (count < 8 && (value >> (4 * count)) != 0) ++count;
  if (count < min_digits) count = min_digits;
  HexDigits h{};
  h.count = static_cast<std::uint8_t>(count);
  for (unsigned i = 0; i < count; ++i) h.digits[count - 1 - i] = alphabet[(value >> (4 * i)) & 0xF];
  return h;
}

template <class Sink>
void format_decimal(Sink& out, decimal value) {
  put_number(out, decimal_text(value));
}

template <class Sink>
void format_integer(Sink& out, std::int32_t value) {
  NumberText text;
  if (value < 0) text.push(u'-');
  const std::uint64_t magnitude = value < 0
                                      ? 0u - static_cast<std::uint64_t>(std::int64_t{value})
                                      : static_cast<std::uint64_t>(value);
  text.push_digits(magnitude, magnitude == 0 ? 1 : digit_count(magnitude));
  put_number(out, std::move(text));
}

template <class Sink>
void format_integer(Sink& out, std::uint32_t value) {
  NumberText text;
  text.push_digits(value, value == 0 ? 1 : digit_count(value));
  put_number(out, std::move(text));
}

template <class Sink>
void format_frequency(Sink& out, std::int64_t hertz) {
  format_with_unit(out, decimal::from_integer(hertz), frequency_units);
}

template <class Sink>
void format_bit_rate(Sink& out, std::int32_t bits_per_second) {
  format_with_unit(out, decimal::from_integer(bits_per_second), bit_rate_units);
}

template <class Sink>
void format_power(Sink& out, std::int16_t hundredths_dbm) {
  put_number(out, decimal_text(multiply(decimal::from_integer(hundredths_dbm), power_factor)),
             u"dBm");
}

template <class Sink>
void format_bool(Sink& out, std::uint32_t value) {
  out.put_text(value != 0 ? std::u16string_view(u"true") : std::u16string_view(u"false"));
}

template <class E, class Sink>
void enum_name(Sink& out, std::uint32_t value) {
  for (const EnumRow& row : data::name_table<E>()) {
    if (row.value == value) {
      out.put_text(data::name_row(static_cast<E>(value)).wide_name);
      return;
    }
  }
  out.put_text(std::u16string_view(u"(invalid)"));
}

#define VED_FORMATTERS_FOR(Sink)                                                      \
  template void format_decimal(Sink&, decimal);                                      \
  template void format_integer(Sink&, std::int32_t);                                 \
  template void format_integer(Sink&, std::uint32_t);                                \
  template void format_frequency(Sink&, std::int64_t);                               \
  template void format_bit_rate(Sink&, std::int32_t);                                \
  template void format_power(Sink&, std::int16_t);                                   \
  template void format_bool(Sink&, std::uint32_t);                                   \
  template void enum_name<data::INBAND_IENABLE, Sink>(Sink&, std::uint32_t);         \
  template void enum_name<data::ENTRY_RATE_OPTIONS, Sink>(Sink&, std::uint32_t);

VED_FORMATTERS_FOR(ui::event::text_output)
VED_FORMATTERS_FOR(ui::event::xml_output)
#undef VED_FORMATTERS_FOR

}  // namespace io

namespace data {

const io::EnumRow inband_ienable_names[3] = {
    {"Disable", u"Disable", 8, 0},
    {"Enable", u"Enable", 7, 1},
    {"Inherit", u"Inherit", 8, 2},
};

const io::EnumRow entry_rate_options_names[6] = {
    {"Disable", u"Disable", 8, 0},
    {"Manual Entry", u"Manual Entry", 13, 1},
    {"Inherit", u"Inherit", 8, 2},
    {"Reservation Ideal", u"Reservation Ideal", 18, 3},
    {"Reservation Minimum", u"Reservation Minimum", 20, 4},
    {"Channel Minimum", u"Channel Minimum", 16, 5},
};

template <>
std::span<const io::EnumRow> name_table<INBAND_IENABLE>() noexcept {
  return inband_ienable_names;
}
template <>
std::span<const io::EnumRow> name_table<ENTRY_RATE_OPTIONS>() noexcept {
  return entry_rate_options_names;
}

template <class E>
const io::EnumRow& name_row(E value) {
  std::span<const io::EnumRow> table = name_table<E>();
  auto index = static_cast<std::uint32_t>(value);
  if (index >= table.size()) throw invalid_option<E>(value);
  return table[index];
}

template const io::EnumRow& name_row(INBAND_IENABLE);
template const io::EnumRow& name_row(ENTRY_RATE_OPTIONS);

}  // namespace data
