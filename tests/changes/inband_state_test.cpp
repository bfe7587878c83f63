#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

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

}  // namespace
