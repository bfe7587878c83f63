// The module object: the library's one lock count, which decides whether it may be unloaded,
// and the module's own registry script.
#pragma once

#include <cstdint>
#include <string_view>

#include "com/registry_script.hpp"
#include "platform/com.h"

namespace com::module {

// Atomic; each returns the new count.
std::int32_t lock() noexcept;
std::int32_t unlock() noexcept;
std::int32_t lock_count() noexcept;

inline constexpr GUID app_id{
    0x451FDE7E, 0x6EFD, 0x4D1D, {0xA7, 0x48, 0x2E, 0xE6, 0x16, 0x1C, 0xAB, 0xAD}};

// Runs the module's registry script (an empty body under HKCR, so that it writes and removes
// nothing: registration rests on the proxy entries) with its replacement variables: "Module"
// (the library's path quoted for script text), "Module_Raw" (the path as it is) and "APPID".
HRESULT update_registry(std::u16string_view library_path, ScriptMode mode) noexcept;

}  // namespace com::module
