// The COM runtime services that the plug-in relies on, for platforms without a COM runtime.
// Names, signatures and semantics follow the Windows originals so that a Windows build can use
// the real services from the same sources. UTF-16 is char16_t: wchar_t is 4 bytes here and must
// never cross the binary interface.
#pragma once

#ifdef _WIN32
#include "platform/windows_com.h"
#else

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The base types that cross the plug-in's boundary (GUID, HRESULT, IUnknown, IErrorInfo, BSTR)
// are the viewers' own declarations.
#include "veduvedader/eventui.h"

#define VED_RUNTIME_API extern "C" __attribute__((visibility("default")))

using UINT = std::uint32_t;
using BOOL = std::int32_t;
using OLECHAR = EVENTUI_CHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
static_assert(std::is_same_v<OLECHAR, char16_t>);

static_assert(sizeof(GUID) == 16);
using CLSID = GUID;
using REFGUID = const GUID&;
using REFCLSID = const CLSID&;

inline bool operator==(const GUID& a, const GUID& b) noexcept {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
         __builtin_memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

constexpr HRESULT hresult(std::uint32_t bits) noexcept { return static_cast<HRESULT>(bits); }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = hresult(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = hresult(0x80004002);
inline constexpr HRESULT E_POINTER = hresult(0x80004003);
inline constexpr HRESULT E_FAIL = hresult(0x80004005);
inline constexpr HRESULT CO_E_NOT_SUPPORTED = hresult(0x80004021);
inline constexpr HRESULT E_UNEXPECTED = hresult(0x8000FFFF);
inline constexpr HRESULT DISP_E_EXCEPTION = hresult(0x80020009);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hresult(0x80040111);
inline constexpr HRESULT MK_E_SYNTAX = hresult(0x800401E4);
inline constexpr HRESULT E_OUTOFMEMORY = hresult(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = hresult(0x80070057);

constexpr bool SUCCEEDED(HRESULT hr) noexcept { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) noexcept { return hr < 0; }

inline constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IErrorInfo{
    0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
inline constexpr IID IID_ICreateErrorInfo{
    0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
inline constexpr IID IID_IBindCtx{0x0000000E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IMoniker{0x0000000F, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Interfaces are abstract classes without a virtual destructor: the object's first word points
// to its function table and every function takes the object first, in slot order, as COM lays
// them out.
struct ICreateErrorInfo : IUnknown {
  virtual HRESULT SetGUID(REFGUID guid) = 0;
  virtual HRESULT SetSource(LPOLESTR source) = 0;
  virtual HRESULT SetDescription(LPOLESTR description) = 0;
  virtual HRESULT SetHelpFile(LPOLESTR help_file) = 0;
  virtual HRESULT SetHelpContext(DWORD help_context) = 0;

 protected:
  ~ICreateErrorInfo() = default;
};

// Bind contexts carry no state here: binding is never performed, only display names round-trip.
struct IBindCtx : IUnknown {
 protected:
  ~IBindCtx() = default;
};

// Only the part of the moniker interface that display names need.
struct IMoniker : IUnknown {
  virtual HRESULT GetDisplayName(IBindCtx* bind_context, IMoniker* left, LPOLESTR* display_name) = 0;

 protected:
  ~IMoniker() = default;
};

VED_RUNTIME_API void* CoTaskMemAlloc(std::size_t bytes);
VED_RUNTIME_API void CoTaskMemFree(void* block);

VED_RUNTIME_API BSTR SysAllocString(const OLECHAR* text);
VED_RUNTIME_API void SysFreeString(BSTR text);
VED_RUNTIME_API UINT SysStringLen(BSTR text);

VED_RUNTIME_API HRESULT CreateErrorInfo(ICreateErrorInfo** result);
VED_RUNTIME_API HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
VED_RUNTIME_API HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** result);

// Viewers call these two through the types they declare.
static_assert(std::is_same_v<decltype(&GetErrorInfo), PFN_GETERRORINFO>);
static_assert(std::is_same_v<decltype(&SysFreeString), PFN_SYSFREESTRING>);

VED_RUNTIME_API HRESULT CreateBindCtx(DWORD reserved, IBindCtx** result);
VED_RUNTIME_API HRESULT MkParseDisplayName(IBindCtx* bind_context, LPCOLESTR display_name,
                                           ULONG* eaten, IMoniker** result);

inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
// Only FROM_SYSTEM with IGNORE_INSERTS is supported; the text is the system's, with its
// trailing CR LF. Returns the characters stored (terminator excluded), or 0 when there is no text.
VED_RUNTIME_API DWORD FormatMessageA(DWORD flags, const void* source, DWORD message_id,
                                     DWORD language_id, char* buffer, DWORD size, void* arguments);

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;
// CP_ACP is Latin-1 here: every byte becomes the UTF-16 unit of the same value. A length of -1
// means the text is NUL-terminated and the terminator is converted too. Returns the units or
// bytes stored, or 0 when the destination is too small.
VED_RUNTIME_API int MultiByteToWideChar(UINT code_page, DWORD flags, const char* source,
                                        int source_length, OLECHAR* destination,
                                        int destination_length);
VED_RUNTIME_API int WideCharToMultiByte(UINT code_page, DWORD flags, const OLECHAR* source,
                                        int source_length, char* destination,
                                        int destination_length, const char* default_char,
                                        BOOL* used_default);

#endif  // _WIN32
