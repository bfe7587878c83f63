#include "com/server.hpp"

#include <string>

#include "com/library_path.hpp"
#include "com/module.hpp"
#include "com/proxy_factory.hpp"
#include "com/proxy_registration.hpp"

namespace com::server {

HRESULT can_unload_now() noexcept {
  // A referenced factory keeps the library as a lock does: unloading under it would leave its
  // holder with a function table that is gone.
  HRESULT proxy = proxy::can_unload_now();
  if (proxy != S_OK) return proxy;
  return module::lock_count() != 0 ? S_FALSE : S_OK;
}

HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) noexcept {
  // Before the proxy part: the system's writes through the out-pointer before it tests it.
  if (out == nullptr) return E_POINTER;
  if (proxy::get_class_object(clsid, iid, out) == S_OK) return S_OK;
  *out = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT register_server() noexcept {
  std::u16string path;
  HRESULT hr = library_path(path);
  if (SUCCEEDED(hr)) hr = module::update_registry(path, ScriptMode::register_keys);
  if (SUCCEEDED(hr)) hr = proxy::register_proxies(path);
  return hr;
}

HRESULT unregister_server() noexcept {
  std::u16string path;
  HRESULT hr = library_path(path);
  if (SUCCEEDED(hr)) hr = module::update_registry(path, ScriptMode::unregister_keys);
  // Not a slip: the proxy entries are written once more before they are removed, as the system's
  // proxy helpers unregister. Removal then starts from the whole set of keys, and a registry that
  // refuses the writes keeps its entries whole instead of half removed.
  if (SUCCEEDED(hr)) hr = proxy::register_proxies(path);
  if (SUCCEEDED(hr)) hr = proxy::unregister_proxies();
  return hr;
}

}  // namespace com::server
