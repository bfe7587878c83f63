// The runtime's text services the library needs: UTF-16 and UTF-8 conversions that never leave a
// destination unterminated, and the system's message texts.
#pragma once

#include <cstddef>

#include "platform/com.h"

namespace com {

// UTF-16 up to and including its terminator into UTF-8 of at most `size` bytes; the result is
// always terminated (cut short when it does not fit).
void utf16_to_utf8(const char16_t* source, char* destination, std::size_t size) noexcept;

// UTF-8 up to and including its terminator into at most `size` UTF-16 units, always terminated.
void utf8_to_utf16(const char* source, char16_t* destination, std::size_t size) noexcept;

// The system's message text for an HRESULT in at most `size` bytes; false when it has none.
bool system_message(HRESULT hr, char* destination, std::size_t size) noexcept;

}  // namespace com
