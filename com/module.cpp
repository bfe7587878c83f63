#include "com/module.hpp"

#include <atomic>
#include <new>
#include <string>

#include "com/guid_text.hpp"
#include "com/registry_script_resource.hpp"

namespace com::module {
namespace {
std::atomic<std::int32_t> locks{0};
}  // namespace

std::int32_t lock() noexcept { return locks.fetch_add(1) + 1; }
std::int32_t unlock() noexcept { return locks.fetch_sub(1) - 1; }
std::int32_t lock_count() noexcept { return locks.load(); }

HRESULT update_registry(std::u16string_view library_path, ScriptMode mode) noexcept {
  std::string_view resource;
  if (HRESULT hr = registry_script_resource(resource); FAILED(hr)) return hr;
  try {
    // The script is narrow text, widened byte by byte.
    std::u16string script;
    for (char c : resource) script += static_cast<unsigned char>(c);
    // Inside a quoted script string a quote is written twice.
    std::u16string quoted_path;
    for (char16_t c : library_path) {
      quoted_path += c;
      if (c == u'\'') quoted_path += c;
    }
    constexpr auto app_id_text = guid_text<char16_t>(app_id);
    const ReplacementVariable variables[] = {
        {u"Module", quoted_path},
        {u"Module_Raw", library_path},
        {u"APPID", app_id_text.braced()},
    };
    return run_registry_script(script, mode, variables);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace com::module
