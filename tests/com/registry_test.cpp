#include "platform/registry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "host/registry_dump.hpp"
#include "registry_contents.hpp"

namespace {

using Lines = std::vector<std::string>;
using RegistryTest = test::CleanRegistry;

TEST_F(RegistryTest, KeysComeBeforeTheirSubkeysAndNamesMatchWithoutRegardToCase) {
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSIDX", nullptr, u"x"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\b", u"Zed", u"1"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\b", u"", u"2"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"hkey_classes_root\\clsid\\B", u"alpha", u"3"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\b", u"ZED", u"4"), ERROR_SUCCESS);
  ASSERT_EQ(VedRegistryCreateKey(u"HKEY_CLASSES_ROOT\\CLSID\\A"), ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(),
            (Lines{"[HKEY_CLASSES_ROOT\\CLSID]", "[HKEY_CLASSES_ROOT\\CLSID\\A]",
                   "[HKEY_CLASSES_ROOT\\CLSID\\b]", "@=2", "alpha=3", "Zed=4",
                   "[HKEY_CLASSES_ROOT\\CLSIDX]", "@=x"}));
}

TEST_F(RegistryTest, DeletingATreeSparesKeysThatOnlyShareItsPrefix) {
  for (const char16_t* path : {u"HKEY_CLASSES_ROOT\\A\\B\\C", u"HKEY_CLASSES_ROOT\\A\\BC"})
    ASSERT_EQ(VedRegistrySetValue(path, nullptr, u"v"), ERROR_SUCCESS);
  EXPECT_EQ(VedRegistryDeleteTree(u"HKEY_CLASSES_ROOT\\a\\b"), ERROR_SUCCESS);
  EXPECT_EQ(test::registry_contents(),
            (Lines{"[HKEY_CLASSES_ROOT\\A]", "[HKEY_CLASSES_ROOT\\A\\BC]", "@=v"}));
  EXPECT_EQ(VedRegistryDeleteTree(u"HKEY_CLASSES_ROOT\\A\\B"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(VedRegistryRemoveValue(u"HKEY_CLASSES_ROOT\\A\\BC", u"none"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(VedRegistryRemoveValue(u"HKEY_CLASSES_ROOT\\A\\B", nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, RefusesPathsThatNameNoKey) {
  for (const char16_t* path :
       {static_cast<const char16_t*>(nullptr), u"HKCR\\A", u"HKEY_CLASSES_ROOT",
        u"HKEY_CLASSES_ROOT\\A\\", u"HKEY_CLASSES_ROOT\\\\A"}) {
    EXPECT_EQ(VedRegistrySetValue(path, nullptr, u"v"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(VedRegistryDeleteTree(path), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\A", nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(test::registry_contents(), Lines{});
}

TEST_F(RegistryTest, DumpsKeysAndEscapedValuesAfterTheHeader) {
  auto dump = [] {
    std::ostringstream out;
    host::write_registry(out, &VedRegistryVisit);
    return out.str();
  };
  EXPECT_EQ(dump(), "Windows Registry Editor Version 5.00\n\n");
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{X}", nullptr,
                                u"C:\\Program Files\\a \"b\" \u00E9.dll"),
            ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{X}", u"Threading\"Model", u"Both"),
            ERROR_SUCCESS);
  EXPECT_EQ(dump(),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CLASSES_ROOT\\CLSID]\n\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{X}]\n"
            "@=\"C:\\\\Program Files\\\\a \\\"b\\\" \xC3\xA9.dll\"\n"
            "\"Threading\\\"Model\"=\"Both\"\n\n");
}

}  // namespace
