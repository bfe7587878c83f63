// Every truncation of every sample payload and every buffer size up to the full rendering: the
// result is documented, the buffer is terminated and holds a prefix of the full rendering, nothing
// is written past it, the error information matches, and nothing leaks; every XML result that
// succeeds, of every sample cut at every length, is well-formed.
#include <gtest/gtest.h>

#include "sample_rendering.hpp"
#include "support/render_harness.hpp"
#include "support/xml_well_formed.hpp"

namespace {

using test::Form;
using test::Observed;

constexpr std::uint32_t roomy = 1 << 16;

std::string label(const host::Sample& s, Form form) {
  return "row " + std::to_string(s.row) + " " + (form == Form::xml ? "xml" : "text") + ": " + s.title;
}

bool is_prefix(const std::u16string& part, const std::u16string& whole) {
  return whole.compare(0, part.size(), part) == 0 && part.size() <= whole.size();
}

// What the thread's error information must hold after a call with this result: the marker
// after a success, the error's description after DISP_E_EXCEPTION, nothing (or the error's own
// information) after any other failure.
void expect_error_information(const Observed& o, const std::string& where) {
  if (o.hr == S_OK) {
    EXPECT_TRUE(o.has_description && o.description == "marker") << where;
  } else if (o.hr == DISP_E_EXCEPTION) {
    EXPECT_TRUE(o.has_description && o.description != "marker") << where;
  } else {
    EXPECT_NE(o.description, "marker") << where;
  }
}

class SampleProperties : public ::testing::TestWithParam<Form> {};

TEST_P(SampleProperties, EveryTruncationFailsCleanlyWithAPrefix) {
  for (const host::Sample& s : test::samples()) {
    const Form form = GetParam();
    Observed full = test::observe(s.row, form, s.payload, s.payload.size(), roomy, u"marker");
    for (std::size_t length = 0; length <= s.payload.size(); ++length) {
      std::string where = label(s, form) + ", " + std::to_string(length) + " bytes";
      Observed cut = test::observe(s.row, form, s.payload, length, roomy, u"marker");
      EXPECT_TRUE(cut.hr == S_OK || cut.hr == DISP_E_EXCEPTION) << where << " hr " << cut.hr;
      if (form == Form::xml && cut.hr == S_OK) {
        EXPECT_EQ(test::xml_fragment_error(cut.text), "")
            << where << ":\n" << test::to_utf8(cut.text);
      }
      if (cut.hr == DISP_E_EXCEPTION) {
        EXPECT_EQ(cut.description, "an underflow occured") << where;
        EXPECT_EQ(cut.colour, test::colour_not_stored) << where;
      }
      EXPECT_TRUE(cut.terminated && cut.guards_intact) << where;
      EXPECT_TRUE(is_prefix(cut.text, full.text)) << where;
      expect_error_information(cut, where);
      ASSERT_TRUE(test::runtime_is_idle()) << where;
    }
  }
}

TEST_P(SampleProperties, EveryBufferSizeOverflowsCleanlyOrFits) {
  for (const host::Sample& s : test::samples()) {
    const Form form = GetParam();
    Observed full = test::observe(s.row, form, s.payload, s.payload.size(), roomy, u"marker");
    const auto needed = static_cast<std::uint32_t>(full.text.size() + 1);
    for (std::uint32_t capacity = 1; capacity <= needed; ++capacity) {
      std::string where = label(s, form) + ", buffer " + std::to_string(capacity);
      Observed o = test::observe(s.row, form, s.payload, s.payload.size(), capacity, u"marker");
      EXPECT_TRUE(o.terminated && o.guards_intact) << where;
      if (capacity == needed) {
        EXPECT_EQ(o.hr, S_OK) << where;
        EXPECT_EQ(o.text, full.text) << where;
      } else {
        EXPECT_EQ(o.hr, DISP_E_EXCEPTION) << where;
        EXPECT_EQ(o.description, "an overflow occured") << where;
        EXPECT_LT(o.text.size(), capacity) << where;
        EXPECT_TRUE(is_prefix(o.text, full.text)) << where;
        EXPECT_EQ(o.colour, test::colour_not_stored) << where;
      }
      expect_error_information(o, where);
      ASSERT_TRUE(test::runtime_is_idle()) << where;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, SampleProperties, ::testing::Values(Form::xml, Form::text),
                         [](const auto& p) { return p.param == Form::xml ? "Xml" : "Text"; });

// The check below finds what it must: each of these breaks the wrapped document.
TEST(WellFormedness, TheParserRefusesMalformedFragments) {
  const std::u16string_view malformed[] = {
      u"<a>R&D</a>", u"<a>x<y</a>", u"<a q=\"\"\"/>", u"<a>\x01</a>",
      std::u16string_view(u"<a>\0</a>", 8), u"<a>\xFFFF</a>", u"<a>\xD800</a>", u"<a>\xDC00x</a>",
      u"<a>&nbsp;</a>", u"<a>", u"</new-value><x>"};
  for (std::u16string_view fragment : malformed)
    EXPECT_NE(test::xml_fragment_error(fragment), "") << test::to_utf8(std::u16string(fragment));
  EXPECT_EQ(test::xml_fragment_error(u"   <a q=\"&quot;&#10;\">&lt;&amp;\xD83D\xDE00</a>\n<b/>"), "");
}

TEST(SampleCoverage, EveryRowHasASample) {
  std::vector<int> per_row(30);
  for (const host::Sample& s : test::samples()) ++per_row.at(s.row);
  for (std::size_t row = 0; row < per_row.size(); ++row) EXPECT_GT(per_row[row], 0) << row;
}

}  // namespace
