#include "com/proxy_factory.hpp"

#include <atomic>

#include "com/interface_catalogue.hpp"

namespace com::proxy {
namespace {

// One static object for the whole library, as the runtime's factory buffer is; callers on any
// thread share it, so its reference count is atomic.
class PSFactoryBuffer final : public IPSFactoryBuffer {
 public:
  constexpr PSFactoryBuffer() noexcept = default;

  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IPSFactoryBuffer) {
      *ppv = static_cast<IPSFactoryBuffer*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return references_.fetch_add(1) + 1; }
  ULONG Release() override { return references_.fetch_sub(1) - 1; }

  HRESULT CreateProxy(IUnknown*, REFIID riid, IRpcProxyBuffer** proxy, void** ppv) override {
    if (proxy == nullptr || ppv == nullptr) return E_POINTER;
    *proxy = nullptr;
    *ppv = nullptr;
    return unsupported_marshalling(riid);
  }
  HRESULT CreateStub(REFIID riid, IUnknown*, IRpcStubBuffer** stub) override {
    if (stub == nullptr) return E_POINTER;
    *stub = nullptr;
    return unsupported_marshalling(riid);
  }

  bool referenced() const noexcept { return references_.load() != 0; }

 private:
  static HRESULT unsupported_marshalling(REFIID riid) noexcept {
    return marshal::find_interface(riid) ? CO_E_NOT_SUPPORTED : E_NOINTERFACE;
  }

  std::atomic<ULONG> references_{0};
};

constinit PSFactoryBuffer factory;

}  // namespace

HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) noexcept {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!(clsid == marshal::factory_clsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, out);
}

HRESULT can_unload_now() noexcept { return factory.referenced() ? S_FALSE : S_OK; }

}  // namespace com::proxy
