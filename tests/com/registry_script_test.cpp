#include "com/registry_script.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/module.hpp"
#include "registry_contents.hpp"

namespace {

using com::ReplacementVariable;
using com::run_registry_script;
using com::ScriptMode;
using Lines = std::vector<std::string>;
using RegistryScript = test::CleanRegistry;

constexpr ReplacementVariable variables[] = {
    {u"Module", u"/opt/it''s/lib.so"},
    {u"Module_Raw", u"/opt/it's/lib.so"},
    {u"APPID", u"{451FDE7E-6EFD-4D1D-A748-2EE616C1ABAD}"},
};

constexpr std::u16string_view server_script =
    u"HKCR\r\n"
    u"{\r\n"
    u"  NoRemove CLSID\r\n"
    u"  {\r\n"
    u"    ForceRemove {0C0FFEE0-0000-0000-0000-000000000001} = s 'Sample ''quoted'' class'\r\n"
    u"    {\r\n"
    u"      InprocServer32 = s '%MODULE%'\r\n"
    u"      {\r\n"
    u"        val ThreadingModel = s 'Both'\r\n"
    u"      }\r\n"
    u"      val AppID = s '%APPID%'\r\n"
    u"      'Quoted name' = s '100%%'\r\n"
    u"    }\r\n"
    u"  }\r\n"
    u"}\r\n";

const Lines server_entries{
    "[HKEY_CLASSES_ROOT\\CLSID]",
    "[HKEY_CLASSES_ROOT\\CLSID\\{0C0FFEE0-0000-0000-0000-000000000001}]",
    "@=Sample 'quoted' class",
    "AppID={451FDE7E-6EFD-4D1D-A748-2EE616C1ABAD}",
    "[HKEY_CLASSES_ROOT\\CLSID\\{0C0FFEE0-0000-0000-0000-000000000001}\\InprocServer32]",
    "@=/opt/it's/lib.so",
    "ThreadingModel=Both",
    "[HKEY_CLASSES_ROOT\\CLSID\\{0C0FFEE0-0000-0000-0000-000000000001}\\Quoted name]",
    "@=100%",
};

TEST_F(RegistryScript, TheModulesScriptWritesAndRemovesNothing) {
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\Other", nullptr, u"kept"), ERROR_SUCCESS);
  EXPECT_EQ(com::module::update_registry(u"/opt/lib.so", ScriptMode::register_keys), S_OK);
  EXPECT_EQ(com::module::update_registry(u"/opt/lib.so", ScriptMode::unregister_keys), S_OK);
  EXPECT_EQ(test::registry_contents(), (Lines{"[HKEY_CLASSES_ROOT\\Other]", "@=kept"}));
}

TEST_F(RegistryScript, RegistersKeysAndValuesWithTheVariablesReplaced) {
  EXPECT_EQ(run_registry_script(server_script, ScriptMode::register_keys, variables), S_OK);
  EXPECT_EQ(test::registry_contents(), server_entries);
}

TEST_F(RegistryScript, ForceRemoveEmptiesTheKeyFirst) {
  ASSERT_EQ(
      VedRegistrySetValue(
          u"HKEY_CLASSES_ROOT\\CLSID\\{0C0FFEE0-0000-0000-0000-000000000001}\\Stale", u"old", u"x"),
      ERROR_SUCCESS);
  EXPECT_EQ(run_registry_script(server_script, ScriptMode::register_keys, variables), S_OK);
  EXPECT_EQ(test::registry_contents(), server_entries);
}

TEST_F(RegistryScript, UnregisteringKeepsNoRemoveKeysOnly) {
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{other}", nullptr, u"kept"),
            ERROR_SUCCESS);
  ASSERT_EQ(run_registry_script(server_script, ScriptMode::register_keys, variables), S_OK);
  EXPECT_EQ(run_registry_script(server_script, ScriptMode::unregister_keys, variables), S_OK);
  EXPECT_EQ(test::registry_contents(),
            (Lines{"[HKEY_CLASSES_ROOT\\CLSID]", "[HKEY_CLASSES_ROOT\\CLSID\\{other}]", "@=kept"}));
  // Unregistering what is not there succeeds.
  EXPECT_EQ(run_registry_script(server_script, ScriptMode::unregister_keys, variables), S_OK);
}

TEST_F(RegistryScript, AMalformedScriptChangesNothing) {
  constexpr std::u16string_view scripts[] = {
      u"HKXX { }",
      u"HKCR { A = s 'a' ",
      u"HKCR { A = s 'a }",
      u"HKCR { A = d '1' }",
      u"HKCR { A = s 'a' } }",
      u"HKCR { A { B = s '%UNKNOWN%' } }",
      u"HKCR { A { B = s '100%' } }",
      u"HKCR { NoRemove { } }",
      u"HKCR { val = s 'x' }",
      u"HKCR { A = s 'a' } HKLM { B { = } }",
  };
  for (ScriptMode mode : {ScriptMode::register_keys, ScriptMode::unregister_keys}) {
    for (std::u16string_view script : scripts) {
      ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\A", nullptr, u"before"), ERROR_SUCCESS);
      EXPECT_EQ(run_registry_script(script, mode, variables), E_FAIL)
          << test::to_utf8(std::u16string(script));
      EXPECT_EQ(test::registry_contents(), (Lines{"[HKEY_CLASSES_ROOT\\A]", "@=before"}));
    }
  }
}

}  // namespace
