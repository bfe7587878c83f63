#include "io/formatting.hpp"

#include "io/text_output.hpp"
#include "io/xml_output.hpp"
#include "plugin/errors.hpp"

namespace io {
namespace {

constexpr decimal power_of_ten(int n) {
  std::int64_t v = 1;
  for (int i = 0; i < n; ++i) v *= 10;
  return decimal::from_integer(v);
}

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

template <class Sink>
void put_char(Sink& out, char c) {
  out.put_text(std::string_view(&c, 1));
}

template <class Sink>
void put_digits(Sink& out, std::uint64_t magnitude) {
  char digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (n != 0) put_char(out, digits[--n]);
}

template <class Sink>
void format_with_unit(Sink& out, decimal value, std::span<const UnitRow> table) {
  const UnitRow& unit = choose_unit(value, table);
  format_decimal(out, divide(value, unit.size));
  out.put_text(unit.wide_name);
}

}  // namespace

const UnitRow frequency_units[6] = {
    {"Hz", u"Hz", power_of_ten(0)},   {"KHz", u"KHz", power_of_ten(3)},
    {"MHz", u"MHz", power_of_ten(6)}, {"GHz", u"GHz", power_of_ten(9)},
    {"THz", u"THz", power_of_ten(12)}, {"PHz", u"PHz", power_of_ten(15)},
};

const UnitRow bit_rate_units[5] = {
    {"bps", u"bps", power_of_ten(0)},   {"Kbps", u"Kbps", power_of_ten(3)},
    {"Mbps", u"Mbps", power_of_ten(6)}, {"Gbps", u"Gbps", power_of_ten(9)},
    {"Tbps", u"Tbps", power_of_ten(12)},
};

const UnitRow& choose_unit(decimal value, std::span<const UnitRow> table) {
  decimal size = absolute(value);
  for (std::size_t i = 1; i < table.size(); ++i)
    if (compare(table[i].size, size) > 0) return table[i - 1];
  return table.back();
}

HexDigits hex_digits(std::uint32_t value, unsigned min_digits) noexcept {
  constexpr char alphabet[] = "0123456789ABCDEF";
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
  value = normalize(value);
  std::int64_t m = value.mantissa();
  if (m < 0) {
    put_char(out, '-');
    m = -m;
  }
  if (m == 0) {
    put_char(out, '0');
    return;
  }
  char digits[20];
  int n = 0;
  for (auto rest = static_cast<std::uint64_t>(m); rest != 0; rest /= 10)
    digits[n++] = static_cast<char>('0' + rest % 10);
  int p = value.exponent() + n;  // digits before the point
  if (p <= 0) {
    put_char(out, '0');
    if (p < 0) {
      put_char(out, '.');
      for (int i = p; i < 0; ++i) put_char(out, '0');
    }
  }
  while (n != 0) {
    if (p == 0) put_char(out, '.');
    put_char(out, digits[--n]);
    --p;
  }
  for (; p > 0; --p) put_char(out, '0');
}

template <class Sink>
void format_integer(Sink& out, std::int32_t value) {
  if (value < 0) put_char(out, '-');
  put_digits(out, value < 0 ? 0u - static_cast<std::uint64_t>(static_cast<std::int64_t>(value))
                            : static_cast<std::uint64_t>(value));
}

template <class Sink>
void format_integer(Sink& out, std::uint32_t value) {
  put_digits(out, value);
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
  format_decimal(out, multiply(decimal::from_integer(hundredths_dbm), power_factor));
  out.put_text(std::u16string_view(u"dBm"));
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
