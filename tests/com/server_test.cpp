#include "com/server.hpp"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "com/guid_text.hpp"
#include "com/interface_catalogue.hpp"
#include "com/module.hpp"
#include "com/proxy_factory.hpp"
#include "plugin/enumerator.hpp"
#include "registry_contents.hpp"

namespace {

using com::marshal::factory_clsid;
using com::marshal::interface_catalogue;
using com::server::get_class_object;

constexpr IID IID_IClassFactory{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
void* const sentinel = reinterpret_cast<void*>(0x1234);

IPSFactoryBuffer* factory() {
  void* object = nullptr;
  EXPECT_EQ(get_class_object(factory_clsid, IID_IPSFactoryBuffer, &object), S_OK);
  return static_cast<IPSFactoryBuffer*>(object);
}

TEST(ClassObject, OnlyTheFactoryClassIsAvailable) {
  struct Case {
    const CLSID& clsid;
    const IID& iid;
  };
  const Case refused[] = {
      {com::marshal::IID_IOutOfBand, IID_IUnknown},
      {factory_clsid, IID_IClassFactory},  // the factory lacks it; the module has no class
  };
  for (const Case& c : refused) {
    void* object = sentinel;
    EXPECT_EQ(get_class_object(c.clsid, c.iid, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(get_class_object(c.clsid, c.iid, nullptr), E_POINTER);
  }
  EXPECT_EQ(get_class_object(factory_clsid, IID_IUnknown, nullptr), E_POINTER);
}

TEST(ClassObject, BuildsNoProxiesOrStubsButKnowsTheCatalogue) {
  IPSFactoryBuffer* buffer = factory();
  for (const auto& description : interface_catalogue) {
    IRpcProxyBuffer* proxy = reinterpret_cast<IRpcProxyBuffer*>(sentinel);
    void* ppv = sentinel;
    EXPECT_EQ(buffer->CreateProxy(nullptr, description.iid, &proxy, &ppv), CO_E_NOT_SUPPORTED);
    IRpcStubBuffer* stub = reinterpret_cast<IRpcStubBuffer*>(sentinel);
    EXPECT_EQ(buffer->CreateStub(description.iid, nullptr, &stub), CO_E_NOT_SUPPORTED);
    EXPECT_TRUE(proxy == nullptr && ppv == nullptr && stub == nullptr);
  }
  IRpcProxyBuffer* proxy = nullptr;
  void* ppv = nullptr;
  IRpcStubBuffer* stub = nullptr;
  EXPECT_EQ(buffer->CreateProxy(nullptr, IID_IUnknown, &proxy, &ppv), E_NOINTERFACE);
  EXPECT_EQ(buffer->CreateStub(IID_IPSFactoryBuffer, nullptr, &stub), E_NOINTERFACE);
  EXPECT_EQ(buffer->CreateProxy(nullptr, IID_IUnknown, nullptr, &ppv), E_POINTER);
  EXPECT_EQ(buffer->CreateStub(com::marshal::IID_IOutOfBand, nullptr, nullptr), E_POINTER);
  void* other = sentinel;
  EXPECT_EQ(buffer->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  buffer->Release();
}

TEST(Unloading, WaitsForEveryEnumeratorAndTheFactory) {
  ASSERT_EQ(com::server::can_unload_now(), S_OK);
  auto* first = ui::event::CEnumEVENTUI::create();
  IEnumEVENTUI* clone = nullptr;
  ASSERT_EQ(first->Clone(&clone), S_OK);
  EXPECT_EQ(com::module::lock_count(), 2);
  first->Release();
  EXPECT_EQ(com::module::lock_count(), 1);
  EXPECT_EQ(com::server::can_unload_now(), S_FALSE);
  clone->Release();
  EXPECT_EQ(com::server::can_unload_now(), S_OK);
  IPSFactoryBuffer* buffer = factory();
  EXPECT_EQ(com::server::can_unload_now(), S_FALSE);
  buffer->Release();
  EXPECT_EQ(com::server::can_unload_now(), S_OK);
}

// Registration as the runtime reaches it: through the loaded library, which names itself.
using Registration = test::CleanRegistry;

TEST_F(Registration, RoundTripLeavesWhatOthersWrote) {
  void* library = dlopen(VED_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto* register_server = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  auto* unregister_server = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllUnregisterServer"));
  ASSERT_TRUE(register_server != nullptr && unregister_server != nullptr);
  // Another server's entry under the key of one of our interfaces, and another class.
  ASSERT_EQ(VedRegistrySetValue(
                u"HKEY_CLASSES_ROOT\\Interface\\{90CB4BDA-12A6-49A9-A9EE-FA942811A00E}\\TypeLib",
                nullptr, u"{lib}"),
            ERROR_SUCCESS);
  ASSERT_EQ(VedRegistrySetValue(u"HKEY_CLASSES_ROOT\\CLSID\\{other}", nullptr, u"x"),
            ERROR_SUCCESS);
  const auto before = test::registry_contents();

  ASSERT_EQ(register_server(), S_OK);
  const auto written = test::registry_contents();
  ASSERT_EQ(register_server(), S_OK);  // again: nothing doubles
  EXPECT_EQ(test::registry_contents(), written);
  // The factory's class in five lines, six per interface, one interface key there before.
  EXPECT_EQ(written.size(), before.size() + 5 + 6 * interface_catalogue.size() - 1);
  char resolved[PATH_MAX];
  ASSERT_NE(realpath(VED_PLUGIN_PATH, resolved), nullptr);
  auto value_of = [&](const std::string& key) {
    auto at = std::find(written.begin(), written.end(), "[HKEY_CLASSES_ROOT\\" + key + "]");
    return at == written.end() || at + 1 == written.end() ? "(missing)" : at[1];
  };
  const std::string factory = com::guid_text<char>(factory_clsid).c_str();
  EXPECT_EQ(value_of("CLSID\\" + factory + "\\InprocServer32"), "@=" + std::string(resolved));
  const std::string property = "Interface\\{43EDE190-F70E-4DC6-9FDC-D29E1021E724}";
  EXPECT_EQ(value_of(property), "@=IAllocationSpaceProperty");
  EXPECT_EQ(value_of(property + "\\NumMethods"), "@=19");

  EXPECT_EQ(unregister_server(), S_OK);
  EXPECT_EQ(test::registry_contents(), before);
  EXPECT_EQ(unregister_server(), S_OK);
  EXPECT_EQ(test::registry_contents(), before);
  dlclose(library);
}

}  // namespace
