#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_xml;
using test::xml;

constexpr int space_row = 5;

TEST(SpaceDatabaseChangeSet, GuardBandExample) {
  const auto r = render_xml(space_row, PayloadBuilder().u8(0x01).u32(100).u32(200));
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.text, xml({{0, R"(<changed field="GuardBand_c0">)"},
                         {1, "<old-value>100</old-value>"},
                         {1, "<new-value>200</new-value>"},
                         {0, "</changed>"}}));
}

}  // namespace
