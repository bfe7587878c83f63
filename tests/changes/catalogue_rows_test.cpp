#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_text;
using test::render_xml;

constexpr int state_row = 0, space_row = 5, space_v0_row = 6, space_v1_row = 7, space_v2_row = 8,
              modcods_row = 12, reservations_multi_row = 15;

// These texts read nothing, so any payload, even none, is a change.
TEST(ChangeEventRows, TextsThatReadNothingAcceptAnEmptyPayload) {
  for (int row : {space_row, space_v0_row, space_v1_row, space_v2_row, reservations_multi_row}) {
    SCOPED_TRACE(row);
    const auto r = render_text(row, {});
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.text, "Properties were modified.");
    EXPECT_EQ(r.colour, EVENTUI_COLOUR_CHANGED);
  }
}

// A count of no devices reads nothing more, whatever follows.
TEST(ChangeEventRows, NoDevicesWriteNothing) {
  const auto r = render_xml(reservations_multi_row, PayloadBuilder().u32(0).raw({0xEE}));
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, "");
}

// A moniker the parser rejects fails with the parser's code, not as an underflow, and leaves
// nothing alive; a device value and a device header reach the parser on different paths.
TEST(ChangeEventRows, RejectedMonikersFailWithTheParsersCode) {
  const auto rejected_value = PayloadBuilder().u8(0x02).u8(0x02).wstring(u"bad\x1F").u16(0);
  const auto rejected_header = PayloadBuilder().wstring(u"\x02").u16(0);
  {
    test::NoLeaks no_leaks;
    const auto r = render_xml(state_row, rejected_value);
    EXPECT_EQ(r.hr, MK_E_SYNTAX);
    EXPECT_TRUE(r.text.ends_with("\n     <old-value")) << r.text;
  }
  for (const bool text : {false, true}) {
    SCOPED_TRACE(text);
    test::NoLeaks no_leaks;
    const auto r = text ? render_text(modcods_row, rejected_header)
                        : render_xml(modcods_row, rejected_header);
    EXPECT_EQ(r.hr, MK_E_SYNTAX);
    EXPECT_EQ(r.text, "");
    if (text) {
      EXPECT_EQ(r.colour, test::colour_not_stored);
    }
  }
}

}  // namespace
