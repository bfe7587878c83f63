#include "com/windows/library_module.hpp"

namespace com {
namespace {
// Any object of the library tells the loader which module to name.
constexpr char anchor = 0;
}  // namespace

HMODULE library_module() noexcept {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&anchor), &module))
    return nullptr;
  return module;
}

}  // namespace com
