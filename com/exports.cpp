// The library's exports. Nothing else of its own code is visible outside it. All five are STDAPI
// functions: __stdcall where that convention exists.
#include "com/server.hpp"
#include "plugin/enumerator.hpp"
#include "veduvedader/eventui.h"

#ifdef _WIN32
#include "com/windows/proxy_dll.hpp"

#define VED_EXPORT extern "C"  // exported by ordinal, undecorated, through exports.def

// The proxy part records the instance handle under which it registers.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  return PrxDllMain(instance, reason, reserved);
}
#else
#define VED_EXPORT extern "C" __attribute__((visibility("default")))
#endif

VED_EXPORT HRESULT EVENTUI_CALL UI_EnumEVENTUI(IEnumEVENTUI** ppEnum) {
  if (ppEnum == nullptr) return E_POINTER;
  ui::event::CEnumEVENTUI* enumerator = ui::event::CEnumEVENTUI::create();
  if (enumerator == nullptr) return E_OUTOFMEMORY;
  *ppEnum = enumerator;
  return S_OK;
}

VED_EXPORT HRESULT EVENTUI_CALL DllCanUnloadNow() { return com::server::can_unload_now(); }

VED_EXPORT HRESULT EVENTUI_CALL DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  return com::server::get_class_object(rclsid, riid, ppv);
}

VED_EXPORT HRESULT EVENTUI_CALL DllRegisterServer() { return com::server::register_server(); }

VED_EXPORT HRESULT EVENTUI_CALL DllUnregisterServer() { return com::server::unregister_server(); }
