#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::render_xml;
using test::xml;

constexpr int policy_row = 1;

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

}  // namespace
