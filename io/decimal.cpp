#include "io/decimal.hpp"

#include <cstdlib>

#include "io/errors.hpp"

namespace io {
namespace {

// The largest mantissa whose tenfold plus a digit of 1 still fits 58 bits.
constexpr std::int64_t digit_bound = 14411518807585587;  // 0x33333333333333

[[noreturn]] void raise_overflow() { throw generic_error_t<char16_t>(u"decimal overflow"); }

std::int64_t magnitude(std::int64_t m) { return m < 0 ? -m : m; }

}  // namespace

decimal normalize(decimal d) noexcept {
  std::int64_t m = d.mantissa();
  int e = d.exponent();
  while (m != 0 && m % 10 == 0) {
    m /= 10;
    ++e;
  }
  return decimal::pack(m, e);
}

decimal multiply(decimal a, decimal b) {
  if (a.mantissa() == 0 || b.mantissa() == 0) return decimal{};
  a = normalize(a);
  b = normalize(b);
  std::int64_t ma = a.mantissa();
  std::int64_t mb = b.mantissa();
  if (magnitude(ma) > decimal::max_mantissa / magnitude(mb)) raise_overflow();
  return normalize(decimal::pack(ma * mb, a.exponent() + b.exponent()));
}

decimal parse_decimal(std::string_view& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t m = 0;
  int e = 0;
  bool any = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && !point) {
      point = any = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    int digit = c - '0';
    if (m > digit_bound || (m == digit_bound && digit > 1)) raise_overflow();
    m = m * 10 + digit;
    if (point) --e;
    any = true;
  }
  if (!any) throw generic_error_t<char16_t>(u"decimal expected");
  text.remove_prefix(i);
  return normalize(decimal::pack(negative ? -m : m, e));
}

}  // namespace io
