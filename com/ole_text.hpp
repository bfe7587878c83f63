#pragma once

#include "platform/com.h"

namespace com {

// UTF-16 as the library holds it (char16_t) and as the runtime's declarations spell it
// (OLECHAR, which is wchar_t on Windows): the same 16-bit units, so only the pointer type changes.
#ifdef _WIN32
inline OLECHAR* ole(char16_t* text) noexcept { return reinterpret_cast<OLECHAR*>(text); }
inline const OLECHAR* ole(const char16_t* text) noexcept {
  return reinterpret_cast<const OLECHAR*>(text);
}
inline char16_t* utf16(OLECHAR* text) noexcept { return reinterpret_cast<char16_t*>(text); }
inline const char16_t* utf16(const OLECHAR* text) noexcept {
  return reinterpret_cast<const char16_t*>(text);
}
#else
constexpr char16_t* ole(char16_t* text) noexcept { return text; }
constexpr const char16_t* ole(const char16_t* text) noexcept { return text; }
constexpr char16_t* utf16(char16_t* text) noexcept { return text; }
constexpr const char16_t* utf16(const char16_t* text) noexcept { return text; }
#endif

}  // namespace com
