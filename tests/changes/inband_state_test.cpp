#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_xml;
using test::xml;

constexpr int state_row = 0;

TEST(InBandStateChanged, WorkedExample) {
  // clang-format off
  const std::vector<std::uint8_t> payload = {
      0x03,                                            // Priority and TxChannel
      0x05, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
      0x03,                                            // Enabled and Device
      0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00,                          // no moniker, no name
      0x00, 0x00, 0x02, 0x00, 0x41, 0x00, 0x42, 0x00}; // no moniker, "AB"
  // clang-format on
  test::NoLeaks no_leaks;
  const auto r = render_xml(state_row, payload);
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<changed field="Priority">)"},
                         {1, "<old-value>5</old-value>"},
                         {1, "<new-value>3</new-value>"},
                         {0, "</changed>"},
                         {0, R"(<changed field="TxChannel">)"},
                         {1, R"(<changed field="Enabled">)"},
                         {2, "<old-value>false</old-value>"},
                         {2, "<new-value>true</new-value>"},
                         {1, "</changed>"},
                         {1, R"(<changed field="Device">)"},
                         {2, R"x(<old-value moniker="(none)"/>)x"},
                         {2, R"x(<new-value moniker="(none)">AB</new-value>)x"},
                         {1, "</changed>"},
                         {0, "</changed>"}}));
}

TEST(InBandStateChanged, NestedRecords) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> payload;
    std::string expected;
  };
  PayloadBuilder limits;
  limits.raw({0x12, 0x08, 0x01}).u32(1).u32(0);  // TxChannel, its Limit: Enabled
  limits.u8(0x07).u32(0).u32(9).i32(1000).i32(2000).i32(3000000).i32(4000000);  // ZarnRxLimit
  const Case cases[] = {
      {"home frequency",
       PayloadBuilder()
           .raw({0x02, 0x04, 0x02})
           .raw({0x00, 0x0C, 0x77, 0x42, 0x03, 0x00, 0x00, 0x00})
           .raw({0x80, 0xBE, 0x5D, 0x51, 0x03, 0x00, 0x00, 0x00}),
       xml({{0, R"(<changed field="TxChannel">)"},
            {1, R"(<changed field="Home">)"},
            {2, R"(<changed field="Frequency">)"},
            {3, "<old-value>14GHz</old-value>"},
            {3, "<new-value>14.25GHz</new-value>"},
            {2, "</changed>"},
            {1, "</changed>"},
            {0, "</changed>"}})},
      {"channel mask of zero, high bits ignored",
       {0xE2, 0x00, 0xAA},
       xml({{0, R"(<changed field="TxChannel">)"}, {0, "</changed>"}})},
      {"home power and modcod",
       PayloadBuilder().u8(0x04).u8(0x04).u8(0x18).raw({0x6A, 0xFF, 0xFA, 0x00}).zeros(40),
       xml({{0, R"(<changed field="RxChannel">)"},
            {1, R"(<changed field="Home">)"},
            {2, R"(<changed field="Power">)"},
            {3, "<old-value>-1.5dBm</old-value>"},
            {3, "<new-value>2.5dBm</new-value>"},
            {2, "</changed>"},
            {2, R"(<changed field="ModCod">)"},
            {2, "</changed>"},
            {1, "</changed>"},
            {0, "</changed>"}})},
      {"limits under a channel and at the top", limits,
       xml({{0, R"(<changed field="TxChannel">)"},
            {1, R"(<changed field="Limit">)"},
            {2, R"(<changed field="Enabled">)"},
            {3, "<old-value>true</old-value>"},
            {3, "<new-value>false</new-value>"},
            {2, "</changed>"},
            {1, "</changed>"},
            {0, "</changed>"},
            {0, R"(<changed field="ZarnRxLimit">)"},
            {1, R"(<changed field="Enabled">)"},
            {2, "<old-value>false</old-value>"},
            {2, "<new-value>true</new-value>"},
            {1, "</changed>"},
            {1, R"(<changed field="Minimum">)"},
            {2, "<old-value>1Kbps</old-value>"},
            {2, "<new-value>2Kbps</new-value>"},
            {1, "</changed>"},
            {1, R"(<changed field="Maximum">)"},
            {2, "<old-value>3Mbps</old-value>"},
            {2, "<new-value>4Mbps</new-value>"},
            {1, "</changed>"},
            {0, "</changed>"}})},
      {"home device",
       test::device(test::device(PayloadBuilder().u8(0x02).u8(0x04).u8(0x01), u"(none)", u""),
                    u"net:modem/7", u"Modem 7"),
       xml({{0, R"(<changed field="TxChannel">)"},
            {1, R"(<changed field="Home">)"},
            {2, R"(<changed field="Device">)"},
            {3, R"x(<old-value moniker="(none)"/>)x"},
            {3, R"(<new-value moniker="net:modem/7">Modem 7</new-value>)"},
            {2, "</changed>"},
            {1, "</changed>"},
            {0, "</changed>"}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    const auto r = render_xml(state_row, c.payload);
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.text, c.expected);
  }
}

TEST(InBandStateChanged, Failures) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> payload;
    HRESULT hr;
    std::string written;
  };
  const Case cases[] = {
      {"empty payload", {}, DISP_E_EXCEPTION, ""},
      {"nested mask missing",
       {0x08},
       DISP_E_EXCEPTION,
       xml({{0, R"(<changed field="ZarnTxLimit">)"}})},
      {"device the parser rejects", PayloadBuilder().u8(0x02).u8(0x02).wstring(u"bad\x1F").u16(0),
       MK_E_SYNTAX,
       xml({{0, R"(<changed field="TxChannel">)"}, {1, R"(<changed field="Device">)"}}) +
           "     <old-value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    const auto r = render_xml(state_row, c.payload);
    EXPECT_EQ(r.hr, c.hr);
    EXPECT_EQ(r.text, c.written);
  }
}

}  // namespace
