#include "io/byte_cursor.hpp"

#include <gtest/gtest.h>

#include "platform/accounting.h"
#include "plugin/errors.hpp"
#include "support/payload_builder.hpp"
#include "support/render_harness.hpp"

namespace {

using test::PayloadBuilder;

ByteCursor over(const std::vector<std::uint8_t>& bytes) {
  return ByteCursor(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

// Values of every width reach the reviewed samples' renderings; a bool is any byte but zero.
TEST(ByteCursor, AnyByteButZeroIsTrue) {
  std::vector<std::uint8_t> bytes{0x80, 0x00};
  ByteCursor c = over(bytes);
  EXPECT_TRUE(c.read_bool());
  EXPECT_FALSE(c.read_bool());
}

// UTF-16 texts reach the reviewed samples' renderings; a narrow one keeps every counted byte.
TEST(ByteCursor, StringsAreViewsOfTheirCountedBytes) {
  std::vector<std::uint8_t> bytes = PayloadBuilder().string("").string(std::string("a\0b", 3));
  ByteCursor c = over(bytes);
  EXPECT_EQ(c.read_string().text, "");
  EXPECT_EQ(c.offset(), 2u);
  EXPECT_EQ(c.read_string().text, std::string_view("a\0b", 3));
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
  EXPECT_THROW(over(too_long).read_moniker(), io::overflow);

  std::vector<std::uint8_t> negative = PayloadBuilder().i16(-1).raw({1, 2, 3});
  // Refused as a short read, never taken as a length.
  EXPECT_THROW(over(negative).read_moniker(), io::underflow);

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
  EXPECT_EQ(VedRuntimeLiveCounts().task_allocations, 0);
}

TEST(ByteCursor, TaskStringWithoutMemoryIsOutOfMemory) {
  std::vector<std::uint8_t> bytes = PayloadBuilder().counted_wstring(1, u"a");
  test::TaskAllocationsFail no_memory;
  try {
    over(bytes).read_task_wstring();
    ADD_FAILURE();
  } catch (const com::error& e) {
    EXPECT_EQ(e.hresult(), E_OUTOFMEMORY);
  }
}

}  // namespace
