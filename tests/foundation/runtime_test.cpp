// The runtime stand-in's pinned behaviour, which hosts and the plug-in rely on.
#include <gtest/gtest.h>

#include <thread>

#include "com/text_services.hpp"
#include "platform/accounting.h"
#include "platform/com.h"

namespace {

TEST(Runtime, ErrorSlotIsPerThreadAndHandsItsReferenceOver) {
  ICreateErrorInfo* creator = nullptr;
  ASSERT_EQ(CreateErrorInfo(&creator), S_OK);
  void* raw = nullptr;
  ASSERT_EQ(creator->QueryInterface(IID_IErrorInfo, &raw), S_OK);
  creator->Release();
  auto* info = static_cast<IErrorInfo*>(raw);

  EXPECT_EQ(SetErrorInfo(0, info), S_OK);  // the slot takes a reference of its own
  std::thread([] {
    IErrorInfo* other = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &other), S_FALSE);
    EXPECT_EQ(other, nullptr);
  }).join();
  IErrorInfo* taken = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &taken), S_OK);
  EXPECT_EQ(taken, info);
  EXPECT_EQ(GetErrorInfo(0, &taken), S_FALSE);  // the slot is empty now
  EXPECT_EQ(taken, nullptr);
  EXPECT_EQ(info->Release(), 1u);
  EXPECT_EQ(info->Release(), 0u);
  EXPECT_EQ(VedRuntimeLiveCounts().error_infos, 0);
}

TEST(Runtime, TextConversions) {
  char narrow[16];
  com::utf16_to_utf8(u"\u00E9t\u00E9", narrow, sizeof narrow);
  EXPECT_STREQ(narrow, "\xC3\xA9t\xC3\xA9");
  com::utf16_to_utf8(u"abcdef", narrow, 4);  // cut, never unterminated
  EXPECT_STREQ(narrow, "abc");

  char16_t wide[8];
  com::utf8_to_utf16("\xC3\xA9\xF0\x9F\x98\x80", wide, 8);
  EXPECT_EQ(std::u16string(wide), u"\u00E9\U0001F600");
  com::utf8_to_utf16("abcdefghij", wide, 8);
  EXPECT_EQ(std::u16string(wide), u"abcdefg");
}

}  // namespace
