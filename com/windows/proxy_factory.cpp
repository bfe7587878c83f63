#include "com/proxy_factory.hpp"

#include "com/windows/proxy_dll.hpp"

namespace com::proxy {

HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) noexcept {
  return PrxDllGetClassObject(clsid, iid, out);
}

HRESULT can_unload_now() noexcept { return PrxDllCanUnloadNow(); }

}  // namespace com::proxy
