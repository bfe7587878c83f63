#include "io/byte_cursor.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "platform/accounting.h"
#include "plugin/errors.hpp"
#include "support/payload_builder.hpp"

namespace {

using test::PayloadBuilder;

ByteCursor over(const std::vector<std::uint8_t>& bytes) {
  return ByteCursor(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

// Runs f and returns the underflow's counts, or {-1,-1} when nothing was raised.
std::pair<long, long> underflow_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const io::underflow& e) {
    return {e.needed, e.available};
  }
  return {-1, -1};
}

// Values of every width reach the reviewed samples' renderings; a bool is any byte but zero.
TEST(ByteCursor, AnyByteButZeroIsTrue) {
  std::vector<std::uint8_t> bytes{0x80, 0x00};
  ByteCursor c = over(bytes);
  EXPECT_TRUE(c.read_bool());
  EXPECT_FALSE(c.read_bool());
}

// Every read goes through the one bounds check: a few widths stand for all.
TEST(ByteCursor, ShortReadsRaiseUnderflowWithCountsAndDoNotMove) {
  struct Case {
    std::size_t size;
    std::function<void(ByteCursor&)> read;
    long needed;
  };
  const Case cases[] = {
      {0, [](ByteCursor& c) { c.read_u8(); }, 1},
      {3, [](ByteCursor& c) { c.read_u32(); }, 4},
      {7, [](ByteCursor& c) { c.read_i64(); }, 8},
      {4, [](ByteCursor& c) { c.skip(5); }, 5},
  };
  for (const Case& k : cases) {
    std::vector<std::uint8_t> bytes(k.size, 0xAA);
    ByteCursor c = over(bytes);
    EXPECT_EQ(underflow_of([&] { k.read(c); }), std::make_pair(k.needed, long(k.size)));
    EXPECT_EQ(c.remaining(), k.size);
  }
}

// UTF-16 texts reach the reviewed samples' renderings; a narrow one keeps every counted byte.
TEST(ByteCursor, StringsAreViewsOfTheirCountedBytes) {
  std::vector<std::uint8_t> bytes = PayloadBuilder().string("").string(std::string("a\0b", 3));
  ByteCursor c = over(bytes);
  EXPECT_EQ(c.read_string().text, "");
  EXPECT_EQ(c.offset(), 2u);
  EXPECT_EQ(c.read_string().text, std::string_view("a\0b", 3));
}

TEST(ByteCursor, TruncatedStringBodiesReportTheirByteCounts) {
  std::vector<std::uint8_t> narrow = PayloadBuilder().u16(5).raw({1, 2, 3});
  std::vector<std::uint8_t> wide = PayloadBuilder().u16(3).raw({1, 2, 3, 4, 5});
  EXPECT_EQ(underflow_of([&] { over(narrow).read_string(); }), std::make_pair(5L, 3L));
  EXPECT_EQ(underflow_of([&] { over(wide).read_wstring(); }), std::make_pair(6L, 5L));
}

std::u16string display_name(IMoniker* moniker) {
  IBindCtx* bc = nullptr;
  EXPECT_EQ(CreateBindCtx(0, &bc), S_OK);
  LPOLESTR name = nullptr;
  EXPECT_EQ(moniker->GetDisplayName(bc, nullptr, &name), S_OK);
  std::u16string result(name);
  CoTaskMemFree(name);
  bc->Release();
  return result;
}

TEST(ByteCursor, MonikerNamesThatMeanNoDeviceGiveNull) {
  for (std::u16string name : {std::u16string(), std::u16string(u"(none)"), std::u16string(u"(none) hub"),
                              std::u16string(u"\0abc", 4)}) {
    std::vector<std::uint8_t> bytes = PayloadBuilder().wstring(name);
    ByteCursor c = over(bytes);
    EXPECT_FALSE(c.read_moniker()) << name.size();
    EXPECT_EQ(c.remaining(), 0u);
  }
}

// Only control characters are refused in a display name.
TEST(ByteCursor, MonikerRoundTripsItsDisplayNameUpToTheLongestAllowed) {
  for (const std::u16string& name : {std::u16string(u"!"), std::u16string(u"Hub \u00E9\xD800 ~"),
                                     std::u16string(259, u'm')}) {
    std::vector<std::uint8_t> bytes = PayloadBuilder().wstring(name).u8(7);
    ByteCursor c = over(bytes);
    com::ComPtr<IMoniker> moniker = c.read_moniker();
    ASSERT_TRUE(moniker);
    EXPECT_EQ(display_name(moniker.get()), name);
    EXPECT_EQ(c.remaining(), 1u);
  }
}

TEST(ByteCursor, MonikerFailures) {
  std::vector<std::uint8_t> too_long = PayloadBuilder().wstring(std::u16string(260, u'a'));
  try {
    over(too_long).read_moniker();
    FAIL();
  } catch (const io::overflow& e) {
    EXPECT_EQ(e.needed, 260u);
    EXPECT_EQ(e.available, 260u);
  }

  std::vector<std::uint8_t> negative = PayloadBuilder().i16(-1).raw({1, 2, 3});
  EXPECT_EQ(underflow_of([&] { over(negative).read_moniker(); }), std::make_pair(0xFFFFFFFEL, 3L));

  std::vector<std::uint8_t> rejected = PayloadBuilder().wstring(u"bad\x1Fname");
  try {
    over(rejected).read_moniker();
    FAIL();
  } catch (const com::error& e) {
    EXPECT_EQ(e.hresult(), MK_E_SYNTAX);
    EXPECT_STREQ(e.what(), "Invalid syntax\r\n");
  }
  VedRuntimeCounts live = VedRuntimeLiveCounts();
  EXPECT_EQ(live.monikers, 0);
  EXPECT_EQ(live.bind_contexts, 0);
}

TEST(ByteCursor, TaskStrings) {
  for (std::int16_t count : {std::int16_t{0}, std::int16_t{-5}}) {
    std::vector<std::uint8_t> bytes = PayloadBuilder().i16(count).u16(0x41);
    ByteCursor c = over(bytes);
    EXPECT_FALSE(c.read_task_wstring());
    EXPECT_EQ(c.remaining(), 2u);
  }
  std::vector<std::uint8_t> bytes = PayloadBuilder().counted_wstring(3, std::u16string(u"a\0c", 3));
  {
    ByteCursor c = over(bytes);
    com::TaskString s = c.read_task_wstring();
    EXPECT_EQ(s.view(), u"a");
    EXPECT_EQ(s.get()[2], u'c');
    EXPECT_EQ(s.get()[3], u'\0');
  }
  std::vector<std::uint8_t> short_body = PayloadBuilder().i16(3).u16(0x41);
  EXPECT_EQ(underflow_of([&] { over(short_body).read_task_wstring(); }), std::make_pair(6L, 2L));
  EXPECT_EQ(VedRuntimeLiveCounts().task_allocations, 0);
}

TEST(ByteCursor, TaskStringWithoutMemoryIsOutOfMemory) {
  std::vector<std::uint8_t> bytes = PayloadBuilder().counted_wstring(1, u"a");
  VedRuntimeFailTaskAllocAfter(0);
  try {
    over(bytes).read_task_wstring();
    ADD_FAILURE();
  } catch (const com::error& e) {
    EXPECT_EQ(e.hresult(), E_OUTOFMEMORY);
  }
  VedRuntimeFailTaskAllocAfter(-1);
}

}  // namespace
