#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using test::PayloadBuilder;
using test::render_text;
using test::render_xml;
using test::xml;

constexpr int tagged_row = 11;

// A pool range as the tagged list encodes it.
PayloadBuilder& pool(PayloadBuilder& b, std::uint64_t base, std::uint64_t top,
                     std::int16_t name_count, std::u16string_view name) {
  return b.u64(base).u64(top).u32(0xABCD).counted_wstring(name_count, name);
}

TEST(SpaceDatabaseTagged, Renderings) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> payload;
    std::string xml;
    std::string text;
  };
  const std::string guard_band = xml({{0, R"(<change name="guard band">)"},
                                      {1, "<old>5</old>"},
                                      {1, "<new>6</new>"},
                                      {0, "</change>"}});
  // Names of negative and positive counts; the old list is empty.
  PayloadBuilder pools;
  pools.u8(2).u32(0).u32(2);
  pool(pools, 14000000000, 14250000000, -4, u"");
  pool(pools, 1000, 2500, 3, u"abc");
  pools.u8(0);
  const Case cases[] = {
      {"tag without meaning first", {7, 1, 5, 0, 0, 0, 6, 0, 0, 0, 0}, guard_band,
       "Changed  and, guard band from '5' to '6'."},
      {"pools into an empty list", pools,
       xml({{0, R"(<change name="bandwidth pool list">)"},
            {1, "<old/>"},
            {1, "<new>14GHz-14.25GHz/1KHz-2.5KHz</new>"},
            {0, "</change>"}}),
       "Changed bandwidth pool list from '' to '14GHz-14.25GHz/1KHz-2.5KHz'."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto x = render_xml(tagged_row, c.payload);
    EXPECT_EQ(x.hr, S_OK);
    EXPECT_EQ(x.text, c.xml);
    const auto t = render_text(tagged_row, c.payload);
    EXPECT_EQ(t.hr, S_OK);
    EXPECT_EQ(t.text, c.text);
  }
}

// Pool counts are judged against the payload before storage is asked for them.
TEST(SpaceDatabaseTagged, PoolCountsThePayloadCannotHold) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> payload;
    HRESULT hr;
  };
  const Case cases[] = {
      // 134217727 ranges: within 32-bit storage, but 5 bytes cannot hold them.
      {"count beyond the payload", {2, 0xFF, 0xFF, 0xFF, 0x07}, DISP_E_EXCEPTION},
      {"count whose storage exceeds 32 bits", {2, 0x00, 0x00, 0x00, 0x08}, E_OUTOFMEMORY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    const auto x = render_xml(tagged_row, c.payload);
    EXPECT_EQ(x.hr, c.hr);
    EXPECT_EQ(x.text, "");
    const auto t = render_text(tagged_row, c.payload);
    EXPECT_EQ(t.hr, c.hr);
    EXPECT_EQ(t.text, "Changed ");
    EXPECT_EQ(t.colour, test::colour_not_stored);
  }
  // With every allocation failing, a count the payload cannot hold still ends as an underflow.
  test::NoLeaks no_leaks;
  test::TaskAllocationsFail fail;
  const auto r = render_xml(tagged_row, {2, 0xFF, 0xFF, 0xFF, 0x07});
  EXPECT_EQ(r.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(r.description, "an underflow occured");
}

TEST(SpaceDatabaseTagged, AllocationFailuresReleaseEverything) {
  PayloadBuilder b;
  b.u8(2).u32(2);
  pool(b, 1, 2, 1, u"a");
  pool(b, 3, 4, 1, u"b");
  b.u32(1);
  pool(b, 5, 6, 1, u"c");
  b.u8(0);
  // Storage, name, name, storage, name: fail each one in turn, then let all five succeed.
  for (std::int64_t succeeding = 0; succeeding <= 5; ++succeeding) {
    SCOPED_TRACE(succeeding);
    test::NoLeaks no_leaks;
    test::TaskAllocationsFail fail(succeeding);
    const auto r = render_xml(tagged_row, b);
    EXPECT_EQ(r.hr, succeeding < 5 ? E_OUTOFMEMORY : S_OK);
    EXPECT_EQ(r.text.empty(), succeeding < 5);
  }
}

}  // namespace
