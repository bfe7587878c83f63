#include "com/registry_script_resource.hpp"

#include "com/windows/library_module.hpp"

namespace com::module {
namespace {

constexpr WORD script_id = 101;

HRESULT last_error() noexcept {
  DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

}  // namespace

HRESULT registry_script_resource(std::string_view& script) noexcept {
  HMODULE module = library_module();
  if (module == nullptr) return E_FAIL;
  HRSRC found = FindResourceExW(module, L"REGISTRY", MAKEINTRESOURCEW(script_id),
                                MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  if (found == nullptr) return last_error();
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return last_error();
  // Resources stay mapped while the module is loaded.
  script = {static_cast<const char*>(data), SizeofResource(module, found)};
  return S_OK;
}

}  // namespace com::module
