#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_xml;
using test::xml;

constexpr int policy_row = 1, policy_v0_row = 2, policy_v1_row = 3, policy_v2_row = 4;

TEST(InBandPolicyChanged, WorkedExample) {
  // clang-format off
  const std::vector<std::uint8_t> payload = {
      0x04, 0x02,                               // EnableLqc and ApplicationPolicies
      0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x01, 0x00, 0x07, 0x00, 0x00, 0x00,  // one modified policy, Type 7
      0x10, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,  // its Priority
      0x00, 0x00};
  // clang-format on
  const auto r = render_xml(policy_row, payload);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<changed field="EnableLqc">)"},
                         {1, "<old-value>Disable</old-value>"},
                         {1, "<new-value>Enable</new-value>"},
                         {0, "</changed>"},
                         {0, R"(<changed field="ApplicationPolicies">)"},
                         {1, "<modified-element>"},
                         {2, R"(<key field="Type">7</key>)"},
                         {2, R"(<changed field="Priority">)"},
                         {3, "<old-value>1</old-value>"},
                         {3, "<new-value>2</new-value>"},
                         {2, "</changed>"},
                         {1, "</modified-element>"},
                         {0, "</changed>"}}));
}

TEST(InBandPolicyChanged, AddedDistributionList) {
  PayloadBuilder b;
  b.u16(0x0100).u16(0).u16(0).u16(1);
  b.raw({0, 0, 0, 0, 1, 0, 0, 0x0A, 0, 0, 2, 0, 0, 0});
  const auto r = render_xml(policy_row, b);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<changed field="DistributionLists">)"},
                         {1, "<added-element>"},
                         {2, R"(<field name="WillInherit">0</field>)"},
                         {2, R"(<field name="Target">10.0.0.1</field>)"},
                         {2, R"(<field name="Label"/>)"},
                         {2, R"(<field name="Enable">Inherit</field>)"},
                         {2, R"(<field name="Destinations"/>)"},
                         {1, "</added-element>"},
                         {0, "</changed>"}}));
}

// A removed list carries its four values only; the modified one changes a destination keyed
// by address and mask.
TEST(InBandPolicyChanged, DistributionListsWithDestinations) {
  PayloadBuilder b;
  b.u16(0x0100);
  b.u16(1).i32(1).u32(0x0A000002).counted_wstring(2, u"Lx").u32(0);
  b.u16(1).u32(0x0A000001).u8(0x10);
  b.u16(0).u16(1).u32(0xC0A80000).u32(0xFFFF0000).u8(0x02).u32(0xFFFF0000).u32(0xFFFFFF00).u16(0);
  b.u16(0);
  const auto r = render_xml(policy_row, b);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<changed field="DistributionLists">)"},
                         {1, "<removed-element>"},
                         {2, R"(<field name="WillInherit">1</field>)"},
                         {2, R"(<field name="Target">10.0.0.2</field>)"},
                         {2, R"(<field name="Label">Lx</field>)"},
                         {2, R"(<field name="Enable">Disable</field>)"},
                         {2, R"(<field name="Destinations"/>)"},
                         {1, "</removed-element>"},
                         {1, "<modified-element>"},
                         {2, R"(<key field="Target">10.0.0.1</key>)"},
                         {2, R"(<changed field="Destinations">)"},
                         {3, "<modified-element>"},
                         {4, R"(<key field="Address">192.168.0.0</key>)"},
                         {4, R"(<key field="Mask">255.255.0.0</key>)"},
                         {4, R"(<changed field="Mask">)"},
                         {5, "<old-value>255.255.0.0</old-value>"},
                         {5, "<new-value>255.255.255.0</new-value>"},
                         {4, "</changed>"},
                         {3, "</modified-element>"},
                         {2, "</changed>"},
                         {1, "</modified-element>"},
                         {0, "</changed>"}}));
}

TEST(InBandPolicyChanged, FieldsByLayout) {
  struct Case {
    const char* name;
    int row;
    std::vector<std::uint8_t> payload;
    std::string expected;
  };
  auto change = [](const char* field, const char* old_value, const char* new_value) {
    return xml({{0, field}, {1, old_value}, {1, new_value}, {0, "</changed>"}});
  };
  const Case cases[] = {
      {"current, nothing changed", policy_row, {0x00, 0x00, 0xFF}, ""},
      {"policy inherits as an integer", policy_row, PayloadBuilder().u16(0x0001).i32(0).i32(1),
       change(R"(<changed field="WillInherit">)", "<old-value>0</old-value>",
              "<new-value>1</new-value>")},
      {"entry option", policy_row, PayloadBuilder().u16(0x0020).u32(1).u32(6),
       change(R"(<changed field="EnableEntry">)", "<old-value>Manual Entry</old-value>",
              "<new-value>(invalid)</new-value>")},
      {"entry bit rate", policy_row, PayloadBuilder().u16(0x0080).i32(2048000).i32(0),
       change(R"(<changed field="EntryBitrate">)", "<old-value>2.048Mbps</old-value>",
              "<new-value>0bps</new-value>")},
      {"high mask bits of the current layout", policy_row,
       PayloadBuilder().u16(0xFC02).u32(3).u32(0),
       change(R"(<changed field="EnableLra">)", "<old-value>(invalid)</old-value>",
              "<new-value>Disable</new-value>")},
      {"v2 bit 5", policy_v2_row, PayloadBuilder().u8(0x20).raw({0x00, 0x40, 0x1F, 0x00}).i32(1000),
       change(R"(<changed field="ExcessBitrate">)", "<old-value>2.048Mbps</old-value>",
              "<new-value>1Kbps</new-value>")},
      {"v1 bit 1", policy_v1_row, PayloadBuilder().u8(0x02).u32(0).u32(2),
       change(R"(<changed field="EnableLqc">)", "<old-value>Disable</old-value>",
              "<new-value>Inherit</new-value>")},
      {"v0 bit 1, bits 6 and 7 ignored", policy_v0_row, PayloadBuilder().u8(0xC2).u32(1).u32(0),
       change(R"(<changed field="EnableTavo">)", "<old-value>Enable</old-value>",
              "<new-value>Disable</new-value>")},
      {"v0 bit 5", policy_v0_row, PayloadBuilder().u8(0x20).u16(0).u16(0).u16(0),
       xml({{0, R"(<changed field="ApplicationPolicies">)"}, {0, "</changed>"}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto r = render_xml(c.row, c.payload);
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.text, c.expected);
  }
}

TEST(InBandPolicyChanged, ApplicationPolicyElementsAndTheirTwoByteMask) {
  PayloadBuilder b;
  b.u16(0x0200).u16(0).u16(1).u32(4294967295u).u16(0x0101).u32(0).u32(1).i32(64000).i32(128000);
  b.u16(1).u32(5).u32(9).counted_wstring(3, u"Web").u32(1).i32(-1).i32(0).i32(1).i32(2).i32(3);
  const auto r = render_xml(policy_row, b);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<changed field="ApplicationPolicies">)"},
                         {1, "<modified-element>"},
                         {2, R"(<key field="Type">4294967295</key>)"},
                         {2, R"(<changed field="WillInherit">)"},
                         {3, "<old-value>false</old-value>"},
                         {3, "<new-value>true</new-value>"},
                         {2, "</changed>"},
                         {2, R"(<changed field="RxMaximum">)"},
                         {3, "<old-value>64Kbps</old-value>"},
                         {3, "<new-value>128Kbps</new-value>"},
                         {2, "</changed>"},
                         {1, "</modified-element>"},
                         {1, "<added-element>"},
                         {2, R"(<field name="WillInherit">true</field>)"},
                         {2, R"(<field name="Type">9</field>)"},
                         {2, R"(<field name="Label">Web</field>)"},
                         {2, R"(<field name="Enable">Enable</field>)"},
                         {2, R"(<field name="Priority">-1</field>)"},
                         {2, R"(<field name="TxMinimum">0bps</field>)"},
                         {2, R"(<field name="TxMaximum">1bps</field>)"},
                         {2, R"(<field name="RxMinimum">2bps</field>)"},
                         {2, R"(<field name="RxMaximum">3bps</field>)"},
                         {1, "</added-element>"},
                         {0, "</changed>"}}));
}

TEST(InBandPolicyChanged, TruncatedPayloadsFailWithAnUnderflow) {
  struct Case {
    const char* name;
    int row;
    std::vector<std::uint8_t> payload;
    std::size_t lines_written;
  };
  const Case cases[] = {
      {"current layout, one mask byte", policy_row, {0x00}, 0},
      {"older layout, empty", policy_v1_row, {}, 0},
      {"application policy mask cut short", policy_row,
       PayloadBuilder().u16(0x0200).u16(0).u16(1).u32(7).u8(0x10), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto r = render_xml(c.row, c.payload);
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(r.description, "an underflow occured");
    EXPECT_EQ(test::lines(r.text).size(), c.lines_written);
  }
}

}  // namespace
