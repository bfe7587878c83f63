#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "event_cases.hpp"
#include "support/payload_builder.hpp"
#include "veduvedader/eventui.h"

namespace test {
namespace {

constexpr int exclusion_created = 23;
constexpr int exclusion_deleted = 24;
constexpr int exclusion_changed = 25;

Payload bands(std::initializer_list<std::uint64_t> hertz) {
  PayloadBuilder p;
  for (std::uint64_t f : hertz) p.u64(f);
  return p;
}

using SpaceExclusion = EventRendering;

// The reviewed samples pin the three sentences; bands are shown as they came, unchecked.
TEST_F(SpaceExclusion, BandsAreWrittenInPayloadOrder) {
  expect_text("top below base", exclusion_deleted, bands({1500, 999}),
              "Space segment exclusion destroyed: 1.5KHz-999Hz", EVENTUI_COLOUR_WHITE);
}

// Each frequency is written as soon as it is read.
TEST_F(SpaceExclusion, ShortPayloadKeepsTheFrequenciesBeforeTheMissingOne) {
  const Payload three_of_four = bands({14000000000, 14500000000, 12500000000});
  expect_underflow("base only", exclusion_created, Form::text, bands({14000000000}),
                   "Space segment exclusion created: 14GHz");
  expect_underflow("three of four", exclusion_changed, Form::xml, three_of_four,
                   "   <old-base>14GHz</old-base>\n   <old-top>14.5GHz</old-top>\n"
                   "   <new-base>12.5GHz</new-base>\n");
}

}  // namespace
}  // namespace test
