#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_xml;
using test::xml;

constexpr int modcods_row = 12, reservations_multi_row = 15;

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

TEST(InBandDeviceListsChanged, NoDevicesWriteNothing) {
  const auto r = render_xml(reservations_multi_row, PayloadBuilder().u32(0).raw({0xEE}));
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, "");
}

}  // namespace
