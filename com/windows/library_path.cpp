#include "com/library_path.hpp"

#include <new>

#include "com/ole_text.hpp"
#include "com/windows/library_module.hpp"

namespace com {

HRESULT library_path(std::u16string& path) noexcept {
  HMODULE module = library_module();
  if (module == nullptr) return E_FAIL;
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
