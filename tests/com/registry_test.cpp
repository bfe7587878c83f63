#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "registry_contents.hpp"

namespace {

using Lines = std::vector<std::string>;
using RegistryTest = test::CleanRegistry;

TEST_F(RegistryTest, KeysComeBeforeTheirSubkeysInNameOrder) {
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSIDX", nullptr, u"x"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\b", u"Zed", u"1"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\b", u"", u"2"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\b", u"alpha", u"3"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistryCreateKey(u"HKEY_CLASSES_ROOT\\CLSID\\A"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistryCreateKey(u"HKEY_CURRENT_USER\\Software"), ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(),
            (Lines{"[HKEY_CLASSES_ROOT\\CLSID]", "[HKEY_CLASSES_ROOT\\CLSID\\A]",
                   "[HKEY_CLASSES_ROOT\\CLSID\\b]", "@=2", "alpha=3", "Zed=1",
                   "[HKEY_CLASSES_ROOT\\CLSIDX]", "@=x", "[HKEY_CURRENT_USER\\Software]"}));
}

TEST_F(RegistryTest, NamesMatchWithoutRegardToCaseAndKeepTheirFirstCase) {
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\Interface\\Key", u"Name", u"old"),
            ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"hkey_classes_root\\INTERFACE\\key", u"NAME", u"new"),
            ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(), (Lines{"[HKEY_CLASSES_ROOT\\Interface]",
                                              "[HKEY_CLASSES_ROOT\\Interface\\Key]", "Name=new"}));
}

TEST_F(RegistryTest, RemovingAValueTakesTheKeysLeftEmpty) {
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\A\\B\\C", nullptr, u"c"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\A\\B\\D", nullptr, u"d"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\A", u"kept", u"a"), ERROR_SUCCESS);

  EXPECT_EQ(VedRegistryRemoveValue(u"HKEY_CLASSES_ROOT\\A\\B\\C", nullptr), ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(),
            (Lines{"[HKEY_CLASSES_ROOT\\A]", "kept=a", "[HKEY_CLASSES_ROOT\\A\\B]",
                   "[HKEY_CLASSES_ROOT\\A\\B\\D]", "@=d"}));
  EXPECT_EQ(VedRegistryRemoveValue(u"HKEY_CLASSES_ROOT\\A\\B\\D", u""), ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(), (Lines{"[HKEY_CLASSES_ROOT\\A]", "kept=a"}));
  EXPECT_EQ(VedRegistryRemoveValue(u"HKEY_CLASSES_ROOT\\A", u"KEPT"), ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(), Lines{});

  EXPECT_EQ(VedRegistryRemoveValue(u"HKEY_CLASSES_ROOT\\A", u"kept"), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(VedRegistryCreateKey(u"HKEY_CLASSES_ROOT\\E"), ERROR_SUCCESS);
  EXPECT_EQ(VedRegistryRemoveValue(u"HKEY_CLASSES_ROOT\\E", u"none"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DeletingATreeSparesKeysThatOnlyShareItsPrefix) {
  for (const char16_t* path : {u"HKEY_CLASSES_ROOT\\A\\B", u"HKEY_CLASSES_ROOT\\A\\B\\C\\D",
                               u"HKEY_CLASSES_ROOT\\A\\BC", u"HKEY_CLASSES_ROOT\\A\\B C"})
    ASSERT_EQ(VedRegistrySetValue(path, nullptr, u"v"), ERROR_SUCCESS);
  EXPECT_EQ(VedRegistryDeleteTree(u"HKEY_CLASSES_ROOT\\a\\b"), ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(),
            (Lines{"[HKEY_CLASSES_ROOT\\A]", "[HKEY_CLASSES_ROOT\\A\\B C]", "@=v",
                   "[HKEY_CLASSES_ROOT\\A\\BC]", "@=v"}));
  EXPECT_EQ(VedRegistryDeleteTree(u"HKEY_CLASSES_ROOT\\A\\B"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, RefusesPathsThatNameNoKey) {
  for (const char16_t* path :
       {static_cast<const char16_t*>(nullptr), u"", u"HKCR\\A", u"HKEY_CLASSES_ROOT",
        u"\\HKEY_CLASSES_ROOT\\A", u"HKEY_CLASSES_ROOT\\A\\", u"HKEY_CLASSES_ROOT\\\\A"}) {
    EXPECT_EQ(VedRegistrySetValue(path, nullptr, u"v"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(VedRegistryDeleteTree(path), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\A", nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(VedRegistryCreateKey(u"HKEY_LOCAL_MACHINE"), ERROR_SUCCESS);  // roots always exist
  EXPECT_EQ(test::registry_contents(), Lines{});
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([t] {
      for (int i = 0; i < 200; ++i) {
        std::u16string path = u"HKEY_CLASSES_ROOT\\T" +
                              std::u16string(1, static_cast<char16_t>(u'0' + t)) + u"\\K" +
                              std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                              std::u16string(1, static_cast<char16_t>(u'a' + i / 26));
        VedRegistrySetValue(path.c_str(), nullptr, u"v");
      }
    });
  }
  for (auto& writer : writers) writer.join();
  // Each thread's parent key and its 200 keys with one value each.
  EXPECT_EQ(test::registry_contents().size(), 4u * (1 + 200 * 2));
}

}  // namespace
