#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_text;
using test::render_xml;
using test::xml;

constexpr int modcods_row = 12, reservations_row = 13, reservations_v0_row = 14,
              reservations_multi_row = 15;

TEST(InBandDeviceListsChanged, ModcodExample) {
  PayloadBuilder b;
  test::device(b, u"net:hub/A", u"Hub A");
  b.u16(1).i32(2048000).i32(1024000).i32(1500000).zeros(20);
  b.u16(1).i32(2048000).u8(0x02).i32(1024000).i32(2048000);
  b.u16(0);
  const auto r = render_xml(modcods_row, b);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<device moniker="net:hub/A">)"},
                         {1, "<name>Hub A</name>"},
                         {0, "</device>"},
                         {0, "<removed-element>"},
                         {1, R"(<field name="BitRate">2.048Mbps</field>)"},
                         {1, R"(<field name="Threshold">1.024Mbps</field>)"},
                         {1, R"(<field name="Bandwidth">1.5MHz</field>)"},
                         {1, R"(<field name="ModCod"/>)"},
                         {0, "</removed-element>"},
                         {0, "<modified-element>"},
                         {1, R"(<key field="BitRate">2.048Mbps</key>)"},
                         {1, R"(<changed field="Threshold">)"},
                         {2, "<old-value>1.024Mbps</old-value>"},
                         {2, "<new-value>2.048Mbps</new-value>"},
                         {1, "</changed>"},
                         {0, "</modified-element>"}}));
}

TEST(InBandDeviceListsChanged, EmptyHeaderAndLists) {
  const std::vector<std::uint8_t> payload = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xEE};
  for (int row : {modcods_row, reservations_row, reservations_v0_row}) {
    SCOPED_TRACE(row);
    const auto r = render_xml(row, payload);
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.text, xml({{0, R"x(<device moniker="(none)"/>)x"}}));
  }
}

TEST(InBandDeviceListsChanged, ReservationsKeyedByDomain) {
  PayloadBuilder b;
  test::device(b, u"(none)", u"");
  b.u16(1);
  test::device(b, u"", u"").u32(1).i32(1000).i32(0).zeros(20);
  b.u16(1);
  test::device(b, u"net:site/9", u"Site 9").u8(0x11).u32(0).u32(0).zeros(40);
  b.u16(1);
  test::device(b, u"net:site/3", u"Site 3").u32(0).i32(2000).i32(1000).zeros(20);
  const auto r = render_xml(reservations_row, b);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"x(<device moniker="(none)"/>)x"},
                         {0, "<removed-element>"},
                         {1, R"x(<field name="Domain" moniker="(none)"/>)x"},
                         {1, R"(<field name="Enabled">true</field>)"},
                         {1, R"(<field name="MaxDataRate">1Kbps</field>)"},
                         {1, R"(<field name="MinDataRate">0bps</field>)"},
                         {1, R"(<field name="ModCod"/>)"},
                         {0, "</removed-element>"},
                         {0, "<modified-element>"},
                         {1, R"(<key field="Domain" moniker="net:site/9">Site 9</key>)"},
                         {1, R"(<changed field="Domain">)"},
                         {2, R"x(<old-value moniker="(none)"/>)x"},
                         {2, R"x(<new-value moniker="(none)"/>)x"},
                         {1, "</changed>"},
                         {1, R"(<changed field="ModCod">)"},
                         {1, "</changed>"},
                         {0, "</modified-element>"},
                         {0, "<added-element>"},
                         {1, R"(<field name="Domain" moniker="net:site/3">Site 3</field>)"},
                         {1, R"(<field name="Enabled">false</field>)"},
                         {1, R"(<field name="MaxDataRate">2Kbps</field>)"},
                         {1, R"(<field name="MinDataRate">1Kbps</field>)"},
                         {1, R"(<field name="ModCod"/>)"},
                         {0, "</added-element>"}}));
}

TEST(InBandDeviceListsChanged, OlderReservationLayout) {
  PayloadBuilder b;
  test::device(b, u"net:hub/B", u"");
  b.u16(0).u16(0).u16(1);
  test::device(b, u"net:site/1", u"").u32(1).i32(64000).zeros(20);
  const auto r = render_xml(reservations_v0_row, b);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<device moniker="net:hub/B"/>)"},
                         {0, "<added-element>"},
                         {1, R"(<field name="Domain" moniker="net:site/1"/>)"},
                         {1, R"(<field name="Enabled">true</field>)"},
                         {1, R"(<field name="DataRate">64Kbps</field>)"},
                         {1, R"(<field name="ModCod"/>)"},
                         {0, "</added-element>"}}));
}

TEST(InBandDeviceListsChanged, SeveralDevicesInOneEvent) {
  test::NoLeaks no_leaks;
  const auto none = render_xml(reservations_multi_row, PayloadBuilder().u32(0).raw({0xEE}));
  EXPECT_EQ(none.hr, S_OK);
  EXPECT_EQ(none.text, "");

  PayloadBuilder b;
  b.u32(2);
  test::device(b, u"net:hub/1", u"One").u16(0).u16(0).u16(0);
  test::device(b, u"net:hub/2", u"").u16(0).u16(1);
  test::device(b, u"net:site/5", u"").u8(0x04).i32(1).i32(2);
  b.u16(0).raw({0xEE});
  const auto two = render_xml(reservations_multi_row, b);
  EXPECT_EQ(two.hr, S_OK);
  EXPECT_EQ(two.text, xml({{0, R"(<device moniker="net:hub/1">)"},
                           {1, "<name>One</name>"},
                           {0, "</device>"},
                           {0, R"(<device moniker="net:hub/2"/>)"},
                           {0, "<modified-element>"},
                           {1, R"(<key field="Domain" moniker="net:site/5"/>)"},
                           {1, R"(<changed field="MaxDataRate">)"},
                           {2, "<old-value>1bps</old-value>"},
                           {2, "<new-value>2bps</new-value>"},
                           {1, "</changed>"},
                           {0, "</modified-element>"}}));

  const auto cut = render_xml(reservations_multi_row, {2, 0, 0});
  EXPECT_EQ(cut.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(cut.description, "an underflow occured");
}

TEST(InBandDeviceListsChanged, Texts) {
  struct Case {
    const char* name;
    int row;
    std::vector<std::uint8_t> payload;
    HRESULT hr;
  };
  const std::vector<std::uint8_t> header_only =
      test::device(PayloadBuilder(), u"net:hub/1", u"Hub").bytes();
  const Case cases[] = {
      {"modcods, header only", modcods_row, header_only, S_OK},
      {"reservations, header only", reservations_row, header_only, S_OK},
      {"older reservations, header only", reservations_v0_row, header_only, S_OK},
      {"one byte", reservations_row, {0x01}, DISP_E_EXCEPTION},
      {"header the parser rejects", modcods_row, PayloadBuilder().wstring(u"\x02").u16(0),
       MK_E_SYNTAX},
      {"several devices, empty", reservations_multi_row, {}, S_OK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    const auto r = render_text(c.row, c.payload);
    EXPECT_EQ(r.hr, c.hr);
    if (c.hr == S_OK) {
      EXPECT_EQ(r.text, "Properties were modified.");
      EXPECT_EQ(r.colour, colour::changed);
    } else {
      EXPECT_EQ(r.text, "");
      EXPECT_EQ(r.colour, test::colour_not_stored);
    }
  }
  EXPECT_EQ(ui::event::EventCatalogue[modcods_row].pfnText,
            ui::event::EventCatalogue[reservations_v0_row].pfnText);
  EXPECT_NE(ui::event::EventCatalogue[reservations_multi_row].pfnText,
            ui::event::EventCatalogue[reservations_row].pfnText);
}

}  // namespace
