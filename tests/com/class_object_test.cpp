#include <gtest/gtest.h>

#include "com/interface_catalogue.hpp"
#include "com/module.hpp"
#include "com/proxy_factory.hpp"
#include "com/server.hpp"
#include "plugin/enumerator.hpp"

namespace {

using com::marshal::factory_clsid;

constexpr IID IID_IClassFactory{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr CLSID other_clsid{0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};

void* const sentinel = reinterpret_cast<void*>(0x1234);

TEST(ClassObject, FactoryClassAnswersIUnknownAndIPSFactoryBuffer) {
  for (const IID& iid : {IID_IUnknown, IID_IPSFactoryBuffer}) {
    void* object = nullptr;
    ASSERT_EQ(com::server::get_class_object(factory_clsid, iid, &object), S_OK);
    auto* unknown = static_cast<IUnknown*>(object);
    void* factory = nullptr;
    EXPECT_EQ(unknown->QueryInterface(IID_IPSFactoryBuffer, &factory), S_OK);
    void* other = sentinel;
    EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    static_cast<IUnknown*>(factory)->Release();
    unknown->Release();
  }
}

TEST(ClassObject, OtherRequestsGetTheModulesAnswer) {
  struct Case {
    const CLSID& clsid;
    const IID& iid;
  };
  const Case cases[] = {
      {other_clsid, IID_IUnknown},
      {other_clsid, IID_IPSFactoryBuffer},
      {factory_clsid, IID_IClassFactory},  // the factory lacks it; the module has no class
      {com::marshal::IID_IOutOfBand, IID_IUnknown},
  };
  for (const Case& c : cases) {
    void* object = sentinel;
    EXPECT_EQ(com::server::get_class_object(c.clsid, c.iid, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(com::server::get_class_object(c.clsid, c.iid, nullptr), E_POINTER);
  }
  EXPECT_EQ(com::server::get_class_object(factory_clsid, IID_IUnknown, nullptr), E_POINTER);
}

struct Factory {
  Factory() {
    void* object = nullptr;
    EXPECT_EQ(com::server::get_class_object(factory_clsid, IID_IPSFactoryBuffer, &object), S_OK);
    p = static_cast<IPSFactoryBuffer*>(object);
  }
  ~Factory() { p->Release(); }
  IPSFactoryBuffer* p;
};

TEST(ClassObject, BuildsNoProxiesOrStubsButKnowsTheCatalogue) {
  Factory factory;
  for (const auto& description : com::marshal::interface_catalogue) {
    IRpcProxyBuffer* proxy = reinterpret_cast<IRpcProxyBuffer*>(sentinel);
    void* ppv = sentinel;
    EXPECT_EQ(factory.p->CreateProxy(nullptr, description.iid, &proxy, &ppv), CO_E_NOT_SUPPORTED);
    EXPECT_EQ(proxy, nullptr);
    EXPECT_EQ(ppv, nullptr);
    IRpcStubBuffer* stub = reinterpret_cast<IRpcStubBuffer*>(sentinel);
    EXPECT_EQ(factory.p->CreateStub(description.iid, nullptr, &stub), CO_E_NOT_SUPPORTED);
    EXPECT_EQ(stub, nullptr);
  }
  IRpcProxyBuffer* proxy = nullptr;
  void* ppv = nullptr;
  IRpcStubBuffer* stub = nullptr;
  EXPECT_EQ(factory.p->CreateProxy(nullptr, IID_IUnknown, &proxy, &ppv), E_NOINTERFACE);
  EXPECT_EQ(factory.p->CreateStub(IID_IPSFactoryBuffer, nullptr, &stub), E_NOINTERFACE);
  EXPECT_EQ(factory.p->CreateProxy(nullptr, IID_IUnknown, nullptr, &ppv), E_POINTER);
  EXPECT_EQ(factory.p->CreateProxy(nullptr, IID_IUnknown, &proxy, nullptr), E_POINTER);
  EXPECT_EQ(factory.p->CreateStub(com::marshal::IID_IOutOfBand, nullptr, nullptr), E_POINTER);
}

TEST(Unloading, WaitsForEveryEnumeratorAndTheFactory) {
  ASSERT_EQ(com::module::lock_count(), 0);
  EXPECT_EQ(com::server::can_unload_now(), S_OK);

  auto* first = ui::event::CEnumEVENTUI::create();
  auto* second = ui::event::CEnumEVENTUI::create();
  IEnumEVENTUI* clone = nullptr;
  ASSERT_EQ(first->Clone(&clone), S_OK);
  EXPECT_EQ(com::module::lock_count(), 3);
  EXPECT_EQ(com::server::can_unload_now(), S_FALSE);

  first->AddRef();
  first->Release();
  first->Release();
  second->Release();
  EXPECT_EQ(com::module::lock_count(), 1);
  EXPECT_EQ(com::server::can_unload_now(), S_FALSE);
  clone->Release();
  EXPECT_EQ(com::module::lock_count(), 0);
  EXPECT_EQ(com::server::can_unload_now(), S_OK);

  {
    Factory factory;
    EXPECT_EQ(com::server::can_unload_now(), S_FALSE);
  }
  EXPECT_EQ(com::server::can_unload_now(), S_OK);
}

}  // namespace
