// Numbers are built whole and written as one piece with their unit. These compare them with a
// plain reference at every point position and every power of ten, and check that a number that
// does not fit stops where writing its characters one by one would.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "io/formatting.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"
#include "plugin/errors.hpp"
#include "support/render_harness.hpp"

namespace {

using ui::event::text_output;
using ui::event::xml_output;

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

template <class Format>
std::string render(Format&& format) {
  char16_t buffer[128];
  text_output out(buffer, 128);
  format(out);
  return test::to_utf8(buffer);
}

TEST(NumberText, DecimalsAtEveryPointPosition) {
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

TEST(NumberText, UnitsAtEveryPowerOfTen) {
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

TEST(NumberText, InXmlANumberAndItsUnitStopWhereSeparateWritesWould) {
  // Indentation, "<", the name and ">" are writes of their own, then each character of the
  // number, then the unit as a whole.
  const char* left_by_size[] = {
      "", "", "", "", "   ", "   <", "   <f", "   <f>", "   <f>1", "   <f>14", "   <f>14.",
      "   <f>14.2", "   <f>14.25", "   <f>14.25", "   <f>14.25", "   <f>14.25GHz"};
  for (std::uint32_t size = 1; size < std::size(left_by_size); ++size) {
    std::vector<char16_t> buffer(size + 1, u'#');
    bool overflowed = false;
    {
      xml_output out(buffer.data(), size);
      for (int i = 0; i < 3; ++i) out.indent();
      try {
        out.start_element("f");
        io::format_frequency(out, 14250000000);
      } catch (const io::overflow&) {
        overflowed = true;
      }
    }
    EXPECT_EQ(test::to_utf8(buffer.data()), left_by_size[size]) << size;
    EXPECT_EQ(overflowed, size < 15) << size;
    EXPECT_EQ(buffer[size], u'#') << size;
  }
}

// The one magnitude a 58-bit decimal cannot hold fails before anything of its write, the ">"
// included.
TEST(NumberText, TheUnrepresentableMagnitudeFailsBeforeItsWrite) {
  char16_t buffer[64];
  {
    xml_output out(buffer, 64);
    out.start_element("f");
    EXPECT_THROW(io::format_frequency(out, std::int64_t{1} << 57), generic_error_t<char16_t>);
  }
  EXPECT_EQ(test::to_utf8(buffer), "<f");
}

}  // namespace
