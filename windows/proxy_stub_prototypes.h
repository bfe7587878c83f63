/* Declarations that the generated proxy file uses and MinGW's C headers lack. */
#pragma once

#include <objbase.h>

/* The IDL's 8-bit integers, as the Microsoft headers define them. */
#define small char

#ifdef __cplusplus
extern "C" {
#endif

HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown* This, REFIID riid,
                                                        void** ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown* This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown* This);

#ifdef __cplusplus
}
#endif
