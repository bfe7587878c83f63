// The library's exports. Nothing else of its own code is visible outside it.
#include "com/module.hpp"
#include "plugin/enumerator.hpp"
#include "plugin/eventui.h"

#define VED_EXPORT extern "C" __attribute__((visibility("default")))

VED_EXPORT HRESULT UI_EnumEVENTUI(IEnumEVENTUI** ppEnum) {
  if (ppEnum == nullptr) return E_POINTER;
  ui::event::CEnumEVENTUI* enumerator = ui::event::CEnumEVENTUI::create();
  if (enumerator == nullptr) return E_OUTOFMEMORY;
  *ppEnum = enumerator;
  return S_OK;
}

VED_EXPORT HRESULT DllCanUnloadNow() { return com::module::lock_count() != 0 ? S_FALSE : S_OK; }

VED_EXPORT HRESULT DllGetClassObject(REFCLSID, REFIID, void**) { return E_NOTIMPL; }

VED_EXPORT HRESULT DllRegisterServer() { return E_NOTIMPL; }

VED_EXPORT HRESULT DllUnregisterServer() { return E_NOTIMPL; }
