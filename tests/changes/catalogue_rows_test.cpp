#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

// Zero bytes are an empty change for every configuration change layout: masks of zero, a
// device without name and three empty groups, a tagged list that ends at once, no devices.
TEST(ChangeEventRows, EveryEntryRendersAnEmptyChange) {
  const std::vector<std::uint8_t> nothing_changed(12, 0);
  for (int row : {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(test::render_xml(row, nothing_changed).hr, S_OK);
    const auto text = test::render_text(row, nothing_changed);
    EXPECT_EQ(text.hr, S_OK);
    EXPECT_EQ(text.colour, colour::changed);
  }
}

}  // namespace
