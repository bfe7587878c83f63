#include "host/registry_dump.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "registry_contents.hpp"

namespace {

using RegistryDump = test::CleanRegistry;

std::string dump() {
  std::ostringstream out;
  host::write_registry(out, &VedRegistryVisit);
  return out.str();
}

TEST_F(RegistryDump, AnEmptyRegistryIsTheHeaderAlone) {
  EXPECT_EQ(dump(), "Windows Registry Editor Version 5.00\n\n");
}

TEST_F(RegistryDump, WritesKeysAndEscapedValues) {
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32", nullptr,
                                u"C:\\Program Files\\a \"b\" \u00E9.dll"),
            ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32",
                                u"Threading\"Model", u"Both"),
            ERROR_SUCCESS);
  EXPECT_EQ(dump(),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID]\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{X}]\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{X}\\InprocServer32]\n"
            "@=\"C:\\\\Program Files\\\\a \\\"b\\\" \xC3\xA9.dll\"\n"
            "\"Threading\\\"Model\"=\"Both\"\n"
            "\n");
}

}  // namespace
