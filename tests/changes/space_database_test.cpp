#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_text;
using test::render_xml;
using test::xml;

constexpr int space_row = 5, space_v0_row = 6, space_v1_row = 7, space_v2_row = 8;

TEST(SpaceDatabaseChangeSet, FieldsByLayout) {
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
      {"guard band", space_row, PayloadBuilder().u8(0x01).u32(100).u32(200).raw({0xEE}),
       change(R"(<changed field="GuardBand_c0">)", "<old-value>100</old-value>",
              "<new-value>200</new-value>")},
      {"second guard band, high bits ignored", space_row,
       PayloadBuilder().u8(0xE2).u32(4294967295u).u32(0),
       change(R"(<changed field="GuardBand_c1">)", "<old-value>4294967295</old-value>",
              "<new-value>0</new-value>")},
      {"roam away", space_row, PayloadBuilder().u8(0x08).i32(-1).i32(1),
       change(R"(<changed field="SwitchAllOnInBandRoamAway">)", "<old-value>-1</old-value>",
              "<new-value>1</new-value>")},
      {"v0 guard band", space_v0_row, PayloadBuilder().u8(0xFD).u32(5).u32(6),
       change(R"(<changed field="GuardBand">)", "<old-value>5</old-value>",
              "<new-value>6</new-value>")},
      {"v1 roam away", space_v1_row, PayloadBuilder().u8(0x04).i32(0).i32(1),
       change(R"(<changed field="SwitchAllOnInBandRoamAway">)", "<old-value>0</old-value>",
              "<new-value>1</new-value>")},
      {"v2 roam away", space_v2_row, PayloadBuilder().u8(0x04).i32(1).i32(0),
       change(R"(<changed field="SwitchAllOnInBandRoamAway">)", "<old-value>1</old-value>",
              "<new-value>0</new-value>")},
      {"hdna controller", space_row,
       test::device(test::device(PayloadBuilder().u8(0x10).u8(0x02), u"", u""), u"net:ctl/1",
                    u"Ctl"),
       xml({{0, R"(<changed field="Hdna">)"},
            {1, R"(<changed field="ControllerDevice">)"},
            {2, R"x(<old-value moniker="(none)"/>)x"},
            {2, R"(<new-value moniker="net:ctl/1">Ctl</new-value>)"},
            {1, "</changed>"},
            {0, "</changed>"}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    const auto r = render_xml(c.row, c.payload);
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.text, c.expected);
  }
}

TEST(SpaceDatabaseChangeSet, BandwidthPoolsKeyedByTheirRange) {
  PayloadBuilder b;
  b.u8(0x04).u16(1);  // one removed pool
  b.u64(14000000000).u64(14250000000).u32(1).counted_wstring(3, std::u16string_view(u"P\0q", 3));
  b.u16(1).u64(1000).u64(2000).u8(0x08).counted_wstring(-1, u"").counted_wstring(2, u"Lb");
  b.u16(0);
  test::NoLeaks no_leaks;
  const auto current = render_xml(space_row, b);
  EXPECT_EQ(current.hr, S_OK);
  EXPECT_EQ(current.text, xml({{0, R"(<changed field="BandwidthPools">)"},
                               {1, "<removed-element>"},
                               {2, R"(<field name="Base">14GHz</field>)"},
                               {2, R"(<field name="Top">14.25GHz</field>)"},
                               {2, R"(<field name="Enabled">true</field>)"},
                               {2, R"(<field name="Label">P</field>)"},
                               {1, "</removed-element>"},
                               {1, "<modified-element>"},
                               {2, R"(<key field="Base">1KHz</key>)"},
                               {2, R"(<key field="Top">2KHz</key>)"},
                               {2, R"(<changed field="Label">)"},
                               {3, "<old-value/>"},
                               {3, "<new-value>Lb</new-value>"},
                               {2, "</changed>"},
                               {1, "</modified-element>"},
                               {0, "</changed>"}}));

  // The older pools are a range only.
  const auto v1 = render_xml(space_v1_row,
                             PayloadBuilder().u8(0x02).u16(0).u16(0).u16(1).u64(1500).u64(2500000));
  EXPECT_EQ(v1.hr, S_OK);
  EXPECT_EQ(v1.text, xml({{0, R"(<changed field="BandwidthPools">)"},
                          {1, "<added-element>"},
                          {2, R"(<field name="Base">1.5KHz</field>)"},
                          {2, R"(<field name="Top">2.5MHz</field>)"},
                          {1, "</added-element>"},
                          {0, "</changed>"}}));
}

TEST(SpaceDatabaseChangeSet, TruncationAndText) {
  for (int row : {space_row, space_v0_row, space_v1_row, space_v2_row}) {
    SCOPED_TRACE(row);
    const auto xml_result = render_xml(row, PayloadBuilder().u8(0x01).u32(1).raw({2, 0}));
    EXPECT_EQ(xml_result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(xml_result.description, "an underflow occured");
    const auto text = render_text(row, {});
    EXPECT_EQ(text.hr, S_OK);
    EXPECT_EQ(text.text, "Properties were modified.");
    EXPECT_EQ(text.colour, colour::changed);
  }
  test::NoLeaks no_leaks;
  const auto cut_label =
      render_xml(space_v2_row,
                 PayloadBuilder().u8(0x02).u16(1).u64(1).u64(2).u32(0).counted_wstring(4, u"ab"));
  EXPECT_EQ(cut_label.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(test::lines(cut_label.text).back(), R"(     <field name="Label")");
}

}  // namespace
