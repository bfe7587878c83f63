// The entry points of the proxy part, defined by the dlldata code that widl generates for the
// interface catalogue (with the prefix Prx), behind the library's own exports.
#pragma once

#include "platform/com.h"

extern "C" {
// Records the module's instance handle on process attach, for registration.
BOOL WINAPI PrxDllMain(HINSTANCE instance, DWORD reason, void* reserved);
// NdrDllGetClassObject with the proxy-file list, the factory class identifier and the factory
// buffer; the others likewise through NdrDllCanUnloadNow, NdrDllRegisterProxy and
// NdrDllUnregisterProxy.
HRESULT STDAPICALLTYPE PrxDllGetClassObject(REFCLSID clsid, REFIID iid, void** out);
HRESULT STDAPICALLTYPE PrxDllCanUnloadNow();
HRESULT STDAPICALLTYPE PrxDllRegisterServer();
HRESULT STDAPICALLTYPE PrxDllUnregisterServer();
}
