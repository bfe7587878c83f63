// The system registry, for platforms without one: one process-wide tree of keys holding string
// values, shared by the host and every plug-in, safe to use from any thread.
//
// A key is named by its full path: a root key's name ("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
// "HKEY_LOCAL_MACHINE", "HKEY_USERS", "HKEY_CURRENT_CONFIG"), then the names of the keys below
// it, separated by backslashes. Root keys always exist and hold nothing themselves. Key and value
// names compare without regard to ASCII case and keep the case they were created with. A null or
// empty value name means the key's default value.
#pragma once

#include <cstdint>

#include "platform/com.h"

#ifdef _WIN32
// The system's registry, through the adapter in platform/src/windows.
#define VED_RUNTIME_API extern "C"
#else
using LSTATUS = std::int32_t;

inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_OUTOFMEMORY = 14;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;

constexpr HRESULT HRESULT_FROM_WIN32(LSTATUS status) noexcept {
  return status <= 0 ? status
                     : hresult(0x80070000u | (static_cast<std::uint32_t>(status) & 0xFFFFu));
}
#endif

// Creates the key and every missing key above it.
VED_RUNTIME_API LSTATUS VedRegistryCreateKey(const char16_t* path);

// Creates the key as above and sets one of its string values.
VED_RUNTIME_API LSTATUS VedRegistrySetValue(const char16_t* path, const char16_t* name,
                                            const char16_t* data);

// Deletes the key with its values and every key below it.
VED_RUNTIME_API LSTATUS VedRegistryDeleteTree(const char16_t* path);

// Deletes one value, then the key and the keys above it for as long as they are left holding no
// value and no key: the keys that were created only to hold the value go with it.
VED_RUNTIME_API LSTATUS VedRegistryRemoveValue(const char16_t* path, const char16_t* name);

// Reports every key, parents before children and siblings in name order, each followed by its
// values (the default value first, as an empty name, then the others in name order). The
// registry stays locked during the walk: the callbacks must not call into it.
struct VedRegistryVisitor {
  void* context;
  void (*key)(void* context, const char16_t* path);
  void (*value)(void* context, const char16_t* name, const char16_t* data);
};
VED_RUNTIME_API void VedRegistryVisit(const VedRegistryVisitor* visitor);

// Deletes every key: a clean registry for tests.
VED_RUNTIME_API void VedRegistryClear();
