#include "io/formatting.hpp"

#include <array>
#include <bit>
#include <span>

namespace io {
namespace {

// Built once at load time, before any renderer can run.
const decimal power_factor = [] {
  std::string_view text = "0.01";
  return parse_decimal(text);
}();

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

// An integer in the unit its size calls for. The unit is a power of ten, so dividing by it only
// splits the digits: those above its exponent, a point, then the rest without trailing zeros.
// The integer is held as a decimal holds it, in its low 58 bits.
NumberText scaled_text(std::int64_t integer, std::span<const UnitRow> table) {
  const std::int64_t m = decimal::from_integer(integer).mantissa();
  NumberText text;
  if (m == 0) {
    text.push(u'0');
    text.push_unit(table.front().name);
    return text;
  }
  // One named result on every path: returning another object would cost a copy of the text.
  if (m == decimal::min_mantissa) {  // its magnitude needs 59 bits
    text.mark_too_large();
    return text;
  }
  if (m < 0) text.push(u'-');
  const auto magnitude = static_cast<std::uint64_t>(m < 0 ? -m : m);
  const int digits = digit_count(magnitude);
  // The largest unit not above the magnitude: its exponent is at most digits - 1.
  std::size_t row = 1;
  while (row < table.size() && table[row].exponent < digits) ++row;
  const UnitRow& unit = table[row - 1];
  const std::uint64_t scale = powers_of_ten[static_cast<std::size_t>(unit.exponent)];
  const std::uint64_t whole = magnitude / scale;
  text.push_digits(whole, digits - unit.exponent);
  if (std::uint64_t fraction = magnitude - whole * scale; fraction != 0) {
    int fraction_digits = unit.exponent;
    for (; fraction % 100 == 0; fraction /= 100) fraction_digits -= 2;
    if (fraction % 10 == 0) {
      fraction /= 10;
      --fraction_digits;
    }
    text.push(u'.');
    text.push_digits(fraction, fraction_digits);
  }
  text.push_unit(unit.name);
  return text;
}

}  // namespace

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

const UnitRow frequency_units[6] = {
    {u"Hz", 0}, {u"KHz", 3}, {u"MHz", 6}, {u"GHz", 9}, {u"THz", 12}, {u"PHz", 15},
};

const UnitRow bit_rate_units[5] = {
    {u"bps", 0}, {u"Kbps", 3}, {u"Mbps", 6}, {u"Gbps", 9}, {u"Tbps", 12},
};

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

NumberText integer_text(std::int32_t value) {
  NumberText text;
  if (value < 0) text.push(u'-');
  const std::uint64_t magnitude = value < 0
                                      ? 0u - static_cast<std::uint64_t>(std::int64_t{value})
                                      : static_cast<std::uint64_t>(value);
  text.push_digits(magnitude, magnitude == 0 ? 1 : digit_count(magnitude));
  return text;
}

NumberText integer_text(std::uint32_t value) {
  NumberText text;
  text.push_digits(value, value == 0 ? 1 : digit_count(value));
  return text;
}

NumberText frequency_text(std::int64_t hertz) { return scaled_text(hertz, frequency_units); }

NumberText bit_rate_text(std::int32_t bits_per_second) {
  return scaled_text(bits_per_second, bit_rate_units);
}

NumberText power_text(std::int16_t hundredths_dbm) {
  NumberText text = decimal_text(multiply(decimal::from_integer(hundredths_dbm), power_factor));
  text.push_unit(u"dBm");
  return text;
}

std::u16string_view bool_text(std::uint32_t value) noexcept {
  constexpr std::u16string_view true_text = u"true", false_text = u"false";
  return value != 0 ? true_text : false_text;
}

}  // namespace io
