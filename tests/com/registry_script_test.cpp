#include "com/registry_script.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry_contents.hpp"

namespace {

using com::run_registry_script;
using com::ScriptMode;
using Lines = std::vector<std::string>;
using RegistryScript = test::CleanRegistry;

constexpr com::ReplacementVariable variables[] = {{u"Module", u"/opt/it''s/lib.so"},
                                                  {u"APPID", u"{451FDE7E}"}};

TEST_F(RegistryScript, RegistersOverAForceRemovedKeyAndUnregistersAllButNoRemoveKeys) {
  constexpr std::u16string_view script =
      u"HKCR\r\n{\r\n  NoRemove CLSID\r\n  {\r\n"
      u"    ForceRemove {C} = s 'Sample ''quoted'' class'\r\n    {\r\n"
      u"      InprocServer32 = s '%MODULE%' { val ThreadingModel = s 'Both' }\r\n"
      u"      val AppID = s '%APPID%'\r\n      'Quoted name' = s '100%%'\r\n    }\r\n  }\r\n}\r\n";
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{other}", nullptr, u"kept"),
            ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{C}\\Stale", u"old", u"x"),
            ERROR_SUCCESS);
  EXPECT_EQ(run_registry_script(script, ScriptMode::register_keys, variables), S_OK);
  EXPECT_EQ(test::registry_contents(),
            (Lines{"[HKEY_CLASSES_ROOT\\CLSID]", "[HKEY_CLASSES_ROOT\\CLSID\\{C}]",
                   "@=Sample 'quoted' class", "AppID={451FDE7E}",
                   "[HKEY_CLASSES_ROOT\\CLSID\\{C}\\InprocServer32]", "@=/opt/it's/lib.so",
                   "ThreadingModel=Both", "[HKEY_CLASSES_ROOT\\CLSID\\{C}\\Quoted name]", "@=100%",
                   "[HKEY_CLASSES_ROOT\\CLSID\\{other}]", "@=kept"}));

  const Lines others{"[HKEY_CLASSES_ROOT\\CLSID]", "[HKEY_CLASSES_ROOT\\CLSID\\{other}]", "@=kept"};
  for (int repeat = 0; repeat < 2; ++repeat) {  // the second time there is nothing to remove
    EXPECT_EQ(run_registry_script(script, ScriptMode::unregister_keys, variables), S_OK);
    EXPECT_EQ(test::registry_contents(), others);
  }
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
