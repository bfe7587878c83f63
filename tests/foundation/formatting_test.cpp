#include "io/formatting.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "io/text_output.hpp"
#include "plugin/errors.hpp"
#include "support/render_harness.hpp"

namespace {

using ui::event::text_output;

std::string render(const std::function<void(text_output&)>& f) {
  char16_t buffer[128];
  text_output out(buffer, 128);
  f(out);
  return test::to_utf8(buffer);
}

// Every power of ten is swept in number_text_test.cpp; these are the signs, fractions and the
// 58-bit truncation.
TEST(Formatting, Frequencies) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "0Hz"},
      {-2500, "-2.5KHz"},
      {(1LL << 57) - 1, "144.115188075855871PHz"},
      {1LL << 58, "0Hz"},  // 64-bit values keep their low 58 bits
      {(1LL << 57) + 1, "-144.115188075855871PHz"},
  };
  for (const auto& [hertz, expected] : cases) {
    const std::int64_t value = hertz;
    EXPECT_EQ(render([&](text_output& o) { io::format_frequency(o, value); }), expected) << value;
  }
}

// Decimals at every point position are swept in number_text_test.cpp; these are the extremes.
TEST(Formatting, BitRatesPowersIntegersBooleans) {
  const std::pair<std::function<void(text_output&)>, const char*> cases[] = {
      {[](text_output& o) { io::format_bit_rate(o, -2147483647 - 1); }, "-2.147483648Gbps"},
      {[](text_output& o) { io::format_power(o, 0); }, "0dBm"},
      {[](text_output& o) { io::format_power(o, -32768); }, "-327.68dBm"},
      {[](text_output& o) { io::format_integer(o, std::int32_t{-2147483647 - 1}); }, "-2147483648"},
      {[](text_output& o) { io::format_integer(o, std::uint32_t{4294967295u}); }, "4294967295"},
      {[](text_output& o) { io::format_bool(o, 255); }, "true"},
      {[](text_output& o) { io::enum_name(o, 3, data::inband_enable_names); }, "(invalid)"},
      {[](text_output& o) { io::enum_name(o, 0xFFFFFFFF, data::entry_rate_option_names); }, "(invalid)"},
  };
  for (const auto& [f, expected] : cases) EXPECT_EQ(render(f), expected);
}

TEST(Formatting, ParseDecimal) {
  struct Case {
    const char* text;
    std::int64_t mantissa;
    int exponent;
    std::size_t rest;
  };
  const Case cases[] = {
      {"0.01", 1, -2, 0}, {"-1.50", -15, -1, 0}, {".", 0, 0, 0},
      {"+12.5.3", 125, -1, 2}, {"144115188075855871", (1LL << 57) - 1, 0, 0}, {"7x", 7, 0, 1},
  };
  for (const Case& k : cases) {
    std::string_view text = k.text;
    io::decimal d = io::parse_decimal(text);
    EXPECT_EQ(d.mantissa(), k.mantissa) << k.text;
    if (k.mantissa != 0) {
      EXPECT_EQ(d.exponent(), k.exponent) << k.text;
    }
    EXPECT_EQ(text.size(), k.rest) << k.text;
  }
  const std::pair<const char*, const char*> refused[] = {
      {"x", "decimal expected"}, {"", "decimal expected"}, {"-", "decimal expected"},
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
