// HRESULTs as people read them: eight hexadecimal digits and the symbolic name.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/com.h"

namespace host {

// "0x80020009".
std::array<char, 10> hresult_hex(HRESULT hr) noexcept;

// "DISP_E_EXCEPTION", or empty for a value without a known name.
std::string_view hresult_name(HRESULT hr) noexcept;

// "0x80020009 DISP_E_EXCEPTION", or the digits alone for a value without a known name.
std::string describe_hresult(HRESULT hr);

}  // namespace host
