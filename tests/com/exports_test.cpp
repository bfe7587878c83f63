// The server's exports as a host or the runtime reaches them: through the loaded library.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "com/guid_text.hpp"
#include "com/interface_catalogue.hpp"
#include "plugin/eventui.h"
#include "registry_contents.hpp"

namespace {

using com::marshal::factory_clsid;
using com::marshal::interface_catalogue;
using Lines = std::vector<std::string>;

class Exports : public test::CleanRegistry {
 protected:
  void SetUp() override {
    test::CleanRegistry::SetUp();
    library = dlopen(VED_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
  }
  void TearDown() override {
    if (library != nullptr) dlclose(library);
    test::CleanRegistry::TearDown();
  }

  template <class F>
  F* entry(const char* name) {
    void* symbol = dlsym(library, name);
    EXPECT_NE(symbol, nullptr) << name;
    return reinterpret_cast<F*>(symbol);
  }
  HRESULT call(const char* name) { return entry<HRESULT()>(name)(); }

  void* library = nullptr;
};

std::string text(const GUID& guid) { return com::guid_text<char>(guid).c_str(); }

// What registration writes, in the registry's order.
Lines registered_entries() {
  char resolved[PATH_MAX];
  EXPECT_NE(realpath(VED_PLUGIN_PATH, resolved), nullptr);
  Lines lines{"[HKEY_CLASSES_ROOT\\CLSID]",
              "[HKEY_CLASSES_ROOT\\CLSID\\" + text(factory_clsid) + "]",
              "@=PSFactoryBuffer",
              "[HKEY_CLASSES_ROOT\\CLSID\\" + text(factory_clsid) + "\\InprocServer32]",
              "@=" + std::string(resolved),
              "ThreadingModel=Both",
              "[HKEY_CLASSES_ROOT\\Interface]"};
  std::vector<const com::marshal::InterfaceDescription*> by_key;
  for (const auto& description : interface_catalogue) by_key.push_back(&description);
  std::sort(by_key.begin(), by_key.end(),
            [](auto* a, auto* b) { return text(a->iid) < text(b->iid); });
  for (const auto* description : by_key) {
    std::string key = "[HKEY_CLASSES_ROOT\\Interface\\" + text(description->iid);
    lines.insert(lines.end(),
                 {key + "]", "@=" + std::string(description->name), key + "\\NumMethods]",
                  "@=" + std::to_string(description->method_count), key + "\\ProxyStubClsid32]",
                  "@=" + text(factory_clsid)});
  }
  return lines;
}

TEST_F(Exports, RegistrationRoundTripLeavesTheRegistryEmpty) {
  ASSERT_EQ(call("DllRegisterServer"), S_OK);
  Lines written = test::registry_contents();
  EXPECT_EQ(written, registered_entries());
  EXPECT_EQ(written.size(), 7u + 6u * interface_catalogue.size());

  ASSERT_EQ(call("DllRegisterServer"), S_OK);  // again: nothing doubles
  EXPECT_EQ(test::registry_contents(), written);

  EXPECT_EQ(call("DllUnregisterServer"), S_OK);
  EXPECT_EQ(test::registry_contents(), Lines{});
  EXPECT_EQ(call("DllUnregisterServer"), S_OK);
  EXPECT_EQ(test::registry_contents(), Lines{});
}

TEST_F(Exports, UnregistrationLeavesWhatOthersWrote) {
  const std::u16string interface_key =
      u"HKEY_CLASSES_ROOT\\Interface\\" +
      std::u16string(com::guid_text<char16_t>(com::marshal::IID_IOutOfBand).braced());
  ASSERT_EQ(VedRegistrySetValue((interface_key + u"\\TypeLib").c_str(), nullptr, u"{lib}"),
            ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{other}", nullptr, u"x"),
            ERROR_SUCCESS);
  Lines before = test::registry_contents();

  ASSERT_EQ(call("DllRegisterServer"), S_OK);
  ASSERT_EQ(call("DllUnregisterServer"), S_OK);
  EXPECT_EQ(test::registry_contents(), before);
}

TEST_F(Exports, ClassObjectsComeFromTheLibrary) {
  using GetClassObject = HRESULT(REFCLSID, REFIID, void**);
  auto* get_class_object = entry<GetClassObject>("DllGetClassObject");
  void* object = nullptr;
  ASSERT_EQ(get_class_object(factory_clsid, IID_IUnknown, &object), S_OK);
  EXPECT_EQ(call("DllCanUnloadNow"), S_FALSE);
  static_cast<IUnknown*>(object)->Release();
  EXPECT_EQ(call("DllCanUnloadNow"), S_OK);

  const CLSID other{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
  object = &object;
  EXPECT_EQ(get_class_object(other, IID_IUnknown, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(get_class_object(other, IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(Exports, EnumeratorsKeepTheLibraryLoaded) {
  auto* enumerate = entry<HRESULT(IEnumEVENTUI**)>("UI_EnumEVENTUI");
  IEnumEVENTUI* first = nullptr;
  IEnumEVENTUI* second = nullptr;
  ASSERT_EQ(enumerate(&first), S_OK);
  ASSERT_EQ(first->Clone(&second), S_OK);
  EXPECT_EQ(call("DllCanUnloadNow"), S_FALSE);
  first->Release();
  EXPECT_EQ(call("DllCanUnloadNow"), S_FALSE);
  second->Release();
  EXPECT_EQ(call("DllCanUnloadNow"), S_OK);
}

TEST_F(Exports, TheRegistryIsReachableThroughTheLoadedLibrary) {
  // A host that links nothing of the runtime finds the registry among the library's dependencies.
  using Walk = void(const VedRegistryVisitor*);
  auto* walk = entry<Walk>("VedRegistryVisit");
  ASSERT_EQ(call("DllRegisterServer"), S_OK);
  EXPECT_EQ(test::registry_contents(walk), registered_entries());
}

}  // namespace
