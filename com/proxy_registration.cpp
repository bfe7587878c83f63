#include "com/proxy_registration.hpp"

#include <charconv>
#include <new>
#include <string>

#include "com/guid_text.hpp"
#include "com/interface_catalogue.hpp"
#include "platform/registry.h"

namespace com::proxy {
namespace {

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string decimal(unsigned value) {
  char digits[8];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return widen(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

// Calls entry(key, value name, data) for every value registration writes; null names the
// key's default value. Stops at and returns the first failure.
template <class Entry>
HRESULT for_each_entry(std::u16string_view library_path, Entry entry) {
  const std::u16string classes = u"HKEY_CLASSES_ROOT\\";
  const auto factory = guid_text<char16_t>(marshal::factory_clsid);
  for (const marshal::InterfaceDescription& description : marshal::interface_catalogue) {
    const std::u16string key =
        classes + u"Interface\\" + guid_text<char16_t>(description.iid).c_str();
    HRESULT hr = entry(key, nullptr, widen(description.name));
    if (SUCCEEDED(hr))
      hr = entry(key + u"\\NumMethods", nullptr, decimal(description.method_count));
    if (SUCCEEDED(hr)) hr = entry(key + u"\\ProxyStubClsid32", nullptr, factory.c_str());
    if (FAILED(hr)) return hr;
  }
  const std::u16string key = classes + u"CLSID\\" + factory.c_str();
  HRESULT hr = entry(key, nullptr, u"PSFactoryBuffer");
  if (SUCCEEDED(hr)) hr = entry(key + u"\\InprocServer32", nullptr, std::u16string(library_path));
  if (SUCCEEDED(hr)) hr = entry(key + u"\\InprocServer32", u"ThreadingModel", u"Both");
  return hr;
}

}  // namespace

HRESULT register_proxies(std::u16string_view library_path) noexcept {
  try {
    return for_each_entry(library_path, [](const std::u16string& key, const char16_t* name,
                                           const std::u16string& data) {
      return HRESULT_FROM_WIN32(VedRegistrySetValue(key.c_str(), name, data.c_str()));
    });
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT unregister_proxies() noexcept {
  try {
    return for_each_entry(
        {}, [](const std::u16string& key, const char16_t* name, const std::u16string&) {
          LSTATUS status = VedRegistryRemoveValue(key.c_str(), name);
          return HRESULT_FROM_WIN32(status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status);
        });
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace com::proxy
