#include "plugin_library.hpp"

#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <cstring>
#include <memory>

#include "exit_status.hpp"
#include "hresult_text.hpp"
#include "release_interface.hpp"

namespace host {

namespace {

#ifdef _WIN32
void* open_library(const std::string& path) noexcept { return LoadLibraryA(path.c_str()); }
void close_library(void* handle) noexcept { FreeLibrary(static_cast<HMODULE>(handle)); }
std::string load_error() { return "error " + std::to_string(GetLastError()); }
void* find_symbol(void* handle, const char* symbol) noexcept {
  FARPROC address = GetProcAddress(static_cast<HMODULE>(handle), symbol);
  void* result = nullptr;
  static_assert(sizeof result == sizeof address);
  std::memcpy(&result, &address, sizeof result);
  return result;
}
#else
void* open_library(const std::string& path) noexcept {
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void close_library(void* handle) noexcept { dlclose(handle); }
std::string load_error() { return dlerror(); }
void* find_symbol(void* handle, const char* symbol) noexcept {
  dlerror();
  return dlsym(handle, symbol);
}
#endif

// dlsym hands out an object pointer; the symbols looked up here are functions.
template <class Function>
Function as_function(void* symbol) noexcept {
  Function function = nullptr;
  static_assert(sizeof function == sizeof symbol);
  std::memcpy(&function, &symbol, sizeof function);
  return function;
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
  handle_ = open_library(path);
  if (handle_ == nullptr) throw InputError("cannot load the plug-in: " + load_error());
  try {
#ifdef _WIN32
    // The system's runtime, one per process.
    get_error_info_ = &::GetErrorInfo;
    sys_free_string_ = &::SysFreeString;
#else
    // The runtime stand-in is a dependency of the plug-in: a lookup on the plug-in's handle finds
    // the instance that the plug-in itself uses, whichever build --plugin named.
    get_error_info_ = as_function<decltype(get_error_info_)>(resolve("GetErrorInfo"));
    sys_free_string_ = as_function<decltype(sys_free_string_)>(resolve("SysFreeString"));
#endif
    enumerate_records();
  } catch (...) {
    close_library(handle_);
    throw;
  }
}

PluginLibrary::~PluginLibrary() { close_library(handle_); }

void* PluginLibrary::resolve(const char* symbol) const {
  void* address = find_symbol(handle_, symbol);
  if (address == nullptr)
    throw InputError(path_ + " is not an event-UI plug-in: it has no " + symbol);
  return address;
}

void PluginLibrary::enumerate_records() {
  auto enum_eventui = as_function<PFN_UI_ENUMEVENTUI>(resolve("UI_EnumEVENTUI"));

  IEnumEVENTUI* raw = nullptr;
  if (HRESULT hr = enum_eventui(&raw); FAILED(hr) || raw == nullptr)
    throw InputError("UI_EnumEVENTUI failed with " + describe_hresult(hr));
  std::unique_ptr<IEnumEVENTUI, ReleaseInterface> enumerator(raw);

  constexpr ULONG batch = 8;
  EVENTUI fetched_records[batch];
  for (;;) {
    ULONG fetched = 0;
    HRESULT hr = enumerator->Next(batch, fetched_records, &fetched);
    if (FAILED(hr) || fetched > batch)
      throw InputError("IEnumEVENTUI::Next failed with " + describe_hresult(hr));
    records_.insert(records_.end(), fetched_records, fetched_records + fetched);
    if (hr != S_OK || fetched == 0) break;
  }
}

std::optional<std::u16string> PluginLibrary::take_error_description() const {
  return host::take_error_description(get_error_info_, sys_free_string_);
}

}  // namespace host
