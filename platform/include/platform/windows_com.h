// The COM runtime services on Windows are the system's own. UTF-16 text is char16_t in the
// library and WCHAR in the system's declarations: the two are the same 16-bit units, converted
// with com::ole and com::utf16 (com/ole_text.hpp) where a call crosses from one to the other.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdint>

static_assert(sizeof(WCHAR) == sizeof(char16_t));
static_assert(sizeof(HRESULT) == sizeof(std::int32_t) && sizeof(ULONG) == sizeof(std::uint32_t));

constexpr HRESULT hresult(std::uint32_t bits) noexcept { return static_cast<HRESULT>(bits); }
