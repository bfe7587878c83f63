#include <gtest/gtest.h>

#include "event_cases.hpp"
#include "plugin/event_catalogue.hpp"

namespace test {
namespace {

using ui::event::EventCatalogue;

using SwitchAndDeviceRows = EventRendering;

// Every one of these rows reads its payload from the first byte on, so an empty payload reaches
// a renderer and fails as a short payload, never as a missing renderer.
TEST_F(SwitchAndDeviceRows, EveryRowReachesItsRenderers) {
  for (int row : {9, 10, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}) {
    check(underflow("empty payload", row, Output::xml, {}, ""));
    check(underflow("empty payload", row, Output::text, {}, ""));
  }
}

TEST_F(SwitchAndDeviceRows, RowsOfOneDocumentShareTheirXmlEntry) {
  EXPECT_EQ(EventCatalogue[19].pfnXml, EventCatalogue[21].pfnXml);
  EXPECT_EQ(EventCatalogue[20].pfnXml, EventCatalogue[22].pfnXml);
  EXPECT_EQ(EventCatalogue[23].pfnXml, EventCatalogue[24].pfnXml);
  for (int row : {27, 28, 29}) EXPECT_EQ(EventCatalogue[row].pfnXml, EventCatalogue[26].pfnXml);
  EXPECT_NE(EventCatalogue[19].pfnXml, EventCatalogue[20].pfnXml);
  EXPECT_NE(EventCatalogue[23].pfnXml, EventCatalogue[25].pfnXml);
  for (int row = 19; row < 29; ++row)
    EXPECT_NE(EventCatalogue[row].pfnText, EventCatalogue[row + 1].pfnText) << row;
}

}  // namespace
}  // namespace test
