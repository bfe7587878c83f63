#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "event_cases.hpp"
#include "plugin/eventui.h"
#include "support/payload_builder.hpp"

namespace test {
namespace {

constexpr int exclusion_created = 23;
constexpr int exclusion_deleted = 24;
constexpr int exclusion_changed = 25;

std::vector<std::uint8_t> bands(std::initializer_list<std::uint64_t> hertz) {
  PayloadBuilder p;
  for (std::uint64_t f : hertz) p.u64(f);
  return p;
}

using SpaceExclusion = EventRendering;

TEST_F(SpaceExclusion, BandsAreWrittenInPayloadOrder) {
  const std::vector<std::uint8_t> band = bands({14000000000, 14500000000});
  const std::vector<std::uint8_t> change =
      bands({14000000000, 14500000000, 12500000000, 12750000000});
  std::vector<std::uint8_t> change_with_extra = change;
  change_with_extra.insert(change_with_extra.end(), {1, 2, 3});
  check_all({
      text_ok("created", exclusion_created, band,
              "Space segment exclusion created: 14GHz-14.5GHz", colour::white),
      text_ok("deleted", exclusion_deleted, band,
              "Space segment exclusion destroyed: 14GHz-14.5GHz", colour::white),
      text_ok("zero band", exclusion_created, bands({0, 0}),
              "Space segment exclusion created: 0Hz-0Hz", colour::white),
      text_ok("top below base", exclusion_deleted, bands({1500, 999}),
              "Space segment exclusion destroyed: 1.5KHz-999Hz", colour::white),
      text_ok("changed, extra bytes ignored", exclusion_changed, change_with_extra,
              "Space segment exclusion modified from: 14GHz-14.5GHz to: 12.5GHz-12.75GHz",
              colour::white),
      xml_ok("created", exclusion_created, band,
             "   <base>14GHz</base>\n   <top>14.5GHz</top>\n"),
      xml_ok("deleted", exclusion_deleted, bands({1500, 999}),
             "   <base>1.5KHz</base>\n   <top>999Hz</top>\n"),
      xml_ok("changed", exclusion_changed, change,
             "   <old-base>14GHz</old-base>\n   <old-top>14.5GHz</old-top>\n"
             "   <new-base>12.5GHz</new-base>\n   <new-top>12.75GHz</new-top>\n"),
  });
}

TEST_F(SpaceExclusion, ShortPayloadKeepsTheFrequenciesBeforeTheMissingOne) {
  std::vector<std::uint8_t> top_cut = bands({14000000000, 14500000000});
  top_cut.resize(15);
  check_all({
      underflow("empty", exclusion_created, Output::text, {}, ""),
      underflow("empty", exclusion_deleted, Output::xml, {}, ""),
      underflow("base only", exclusion_created, Output::text, bands({14000000000}),
                "Space segment exclusion created: 14GHz"),
      underflow("top cut", exclusion_created, Output::xml, top_cut,
                "   <base>14GHz</base>\n"),
      underflow("three of four", exclusion_changed, Output::text,
                bands({14000000000, 14500000000, 12500000000}),
                "Space segment exclusion modified from: 14GHz-14.5GHz to: 12.5GHz"),
      underflow("three of four", exclusion_changed, Output::xml,
                bands({14000000000, 14500000000, 12500000000}),
                "   <old-base>14GHz</old-base>\n   <old-top>14.5GHz</old-top>\n"
                "   <new-base>12.5GHz</new-base>\n"),
  });
}

}  // namespace
}  // namespace test
