#include "com/library_path.hpp"

#include <new>

#include "io/com_services.hpp"

namespace com {
namespace {
// Any object of the library tells the loader which module to name.
constexpr char anchor = 0;
}  // namespace

HRESULT library_path(std::u16string& path) noexcept {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&anchor), &module))
    return E_FAIL;
  try {
    // The loader truncates a name that does not fit; grow until it does.
    for (path.assign(MAX_PATH, u'\0');; path.assign(2 * path.size(), u'\0')) {
      DWORD length = GetModuleFileNameW(module, ole(path.data()), static_cast<DWORD>(path.size()));
      if (length == 0) return E_FAIL;
      if (length < path.size()) {
        path.resize(length);
        return S_OK;
      }
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace com
