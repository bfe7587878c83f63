// The registry entries through which the marshalling runtime finds this library's proxies and
// stubs: for every catalogued interface, Interface\{IID} with its name, NumMethods and
// ProxyStubClsid32; and the factory's CLSID\{factory} with its InprocServer32 path and
// ThreadingModel "Both". All are string values under HKEY_CLASSES_ROOT.
#pragma once

#include <string_view>

#include "platform/com.h"

namespace com::proxy {

HRESULT register_proxies(std::u16string_view library_path) noexcept;

// Removes every value that registration writes, and each key once it holds nothing else.
HRESULT unregister_proxies() noexcept;

}  // namespace com::proxy
