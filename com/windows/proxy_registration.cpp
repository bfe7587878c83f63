#include "com/proxy_registration.hpp"

#include "com/windows/proxy_dll.hpp"

namespace com::proxy {

// The runtime writes the path of the module whose instance handle was recorded at load.
HRESULT register_proxies(std::u16string_view) noexcept { return PrxDllRegisterServer(); }

HRESULT unregister_proxies() noexcept { return PrxDllUnregisterServer(); }

}  // namespace com::proxy
