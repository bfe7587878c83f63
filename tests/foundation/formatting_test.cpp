// Numbers are built whole before they are written. The sweeps compare them with a plain reference
// at every point position and every power of ten; the table holds what the sweeps do not reach:
// zero, fractions with trailing zeros, the 58-bit limits and the other value kinds' extremes.
#include "io/formatting.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "io/text_output.hpp"
#include "plugin/errors.hpp"
#include "support/render_harness.hpp"

namespace {

using ui::event::text_output;

std::string render(const std::function<void(text_output&)>& format) {
  char16_t buffer[128];
  text_output out(buffer, 128);
  format(out);
  return test::to_utf8(buffer);
}

// mantissa × 10^exponent written out with string operations.
std::string reference_decimal(std::int64_t mantissa, int exponent) {
  if (mantissa == 0) return "0";
  const std::string sign = mantissa < 0 ? "-" : "";
  std::string digits = std::to_string(mantissa < 0 ? -mantissa : mantissa);
  if (exponent >= 0) return sign + digits + std::string(static_cast<std::size_t>(exponent), '0');
  const auto fraction = static_cast<std::size_t>(-exponent);
  if (digits.size() <= fraction) digits.insert(0, fraction - digits.size() + 1, '0');
  digits.insert(digits.size() - fraction, ".");
  digits.erase(digits.find_last_not_of('0') + 1);
  if (digits.back() == '.') digits.pop_back();
  return sign + digits;
}

TEST(Formatting, DecimalsAtEveryPointPosition) {
  const std::int64_t mantissas[] = {1, 7, 10, 99, 100, 105, 1050, -3, -1200, 123456789,
                                    (std::int64_t{1} << 57) - 1};
  for (std::int64_t m : mantissas) {
    // The whole exponent range: normalizing may carry the exponent past its six bits.
    for (int e = -32; e <= 31; ++e) {
      EXPECT_EQ(render([&](text_output& o) { io::format_decimal(o, io::decimal::pack(m, e)); }),
                reference_decimal(m, e))
          << m << "e" << e;
    }
  }
}

TEST(Formatting, UnitsAtEveryPowerOfTen) {
  const char* frequency_names[] = {"Hz", "KHz", "MHz", "GHz", "THz", "PHz"};
  const char* bit_rate_names[] = {"bps", "Kbps", "Mbps", "Gbps", "Tbps"};
  std::int64_t power = 1;
  for (int digits = 1; digits <= 18; ++digits, power *= 10) {
    // The largest value of one digit count less, and the power of ten itself.
    for (std::int64_t value : {power - 1, power}) {
      if (value == 0) continue;
      const int magnitude = static_cast<int>(std::to_string(value).size()) - 1;
      const int frequency_row = std::min(magnitude / 3, 5);
      for (std::int64_t signed_value : {value, -value}) {
        EXPECT_EQ(render([&](text_output& o) { io::format_frequency(o, signed_value); }),
                  reference_decimal(signed_value, -3 * frequency_row) +
                      frequency_names[frequency_row])
            << signed_value;
      }
      if (value <= INT32_MAX) {
        const int bit_rate_row = std::min(magnitude / 3, 4);
        EXPECT_EQ(render([&](text_output& o) {
                    io::format_bit_rate(o, static_cast<std::int32_t>(value));
                  }),
                  reference_decimal(value, -3 * bit_rate_row) + bit_rate_names[bit_rate_row])
            << value;
      }
    }
  }
}

TEST(Formatting, ValuesTheSweepsDoNotReach) {
  const std::pair<std::function<void(text_output&)>, const char*> cases[] = {
      {[](text_output& o) { io::format_frequency(o, 0); }, "0Hz"},
      {[](text_output& o) { io::format_frequency(o, -2500); }, "-2.5KHz"},
      {[](text_output& o) { io::format_frequency(o, (1LL << 57) - 1); }, "144.115188075855871PHz"},
      // 64-bit values keep their low 58 bits.
      {[](text_output& o) { io::format_frequency(o, 1LL << 58); }, "0Hz"},
      {[](text_output& o) { io::format_frequency(o, (1LL << 57) + 1); }, "-144.115188075855871PHz"},
      {[](text_output& o) { io::format_bit_rate(o, -2147483647 - 1); }, "-2.147483648Gbps"},
      {[](text_output& o) { io::format_power(o, 0); }, "0dBm"},
      {[](text_output& o) { io::format_power(o, -32768); }, "-327.68dBm"},
      {[](text_output& o) { io::format_integer(o, std::int32_t{-2147483647 - 1}); }, "-2147483648"},
      {[](text_output& o) { io::format_integer(o, std::uint32_t{4294967295u}); }, "4294967295"},
      {[](text_output& o) { io::format_bool(o, 255); }, "true"},
      {[](text_output& o) { io::enum_name(o, 3, data::inband_enable_names); }, "(invalid)"},
  };
  for (const auto& [format, expected] : cases) EXPECT_EQ(render(format), expected);
}

// The one caller parses a constant: these are the largest mantissa and the two refusals.
TEST(Formatting, ParseDecimal) {
  std::string_view largest = "144115188075855871";
  EXPECT_EQ(io::parse_decimal(largest).mantissa(), (1LL << 57) - 1);
  const std::pair<const char*, const char*> refused[] = {
      {"-", "decimal expected"},
      {"144115188075855872", "decimal overflow"},
  };
  for (const auto& [bad, message] : refused) {
    std::string_view text = bad;
    try {
      io::parse_decimal(text);
      ADD_FAILURE() << bad;
    } catch (const generic_error_t<char16_t>& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
}

}  // namespace
