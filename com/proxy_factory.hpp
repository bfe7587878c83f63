// The proxy/stub factory class object that the marshalling runtime asks the library for. On
// Windows the runtime's interpreted proxy engine serves it from the generated proxy file; the
// stand-in has no marshalling engine, so there the factory knows the catalogue's interfaces but
// builds no proxies or stubs for them.
#pragma once

#include "platform/com.h"

#ifndef _WIN32
struct IRpcProxyBuffer;
struct IRpcStubBuffer;

inline constexpr IID IID_IPSFactoryBuffer{
    0xD5F569D0, 0x593B, 0x101A, {0xB5, 0x69, 0x08, 0x00, 0x2B, 0x2D, 0xBF, 0x7A}};

struct IPSFactoryBuffer : IUnknown {
  virtual HRESULT CreateProxy(IUnknown* outer, REFIID riid, IRpcProxyBuffer** proxy,
                              void** ppv) = 0;
  virtual HRESULT CreateStub(REFIID riid, IUnknown* server, IRpcStubBuffer** stub) = 0;

 protected:
  ~IPSFactoryBuffer() = default;
};
#endif

namespace com::proxy {

// The factory's interface `iid` for the factory's class identifier; CLASS_E_CLASSNOTAVAILABLE
// for any other class, E_NOINTERFACE for an interface the factory lacks.
HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) noexcept;

// S_FALSE while anyone holds a reference to the factory, S_OK otherwise.
HRESULT can_unload_now() noexcept;

}  // namespace com::proxy
