// The registrar: runs a registry script against the system registry, registering or
// unregistering the keys it describes.
//
// A script is a list of root keys (HKCR, HKCU, HKLM, HKU, HKCC or their long names), each with a
// braced body. A body holds keys and values:
//   [NoRemove | ForceRemove] name [= s 'default value'] [{ body }]
//   val name = s 'value'
// Tokens are separated by blanks. Names are bare words ("{GUID}" is one) or quoted; quoted
// text doubles a quote to contain one. Before parsing,
// every %NAME% is replaced by the variable of that name (names compare without regard to case)
// and %% by one percent sign. Only string values exist.
//
// Registering creates every key and sets its values, emptying a ForceRemove key first.
// Unregistering deletes every key with all below it, except that NoRemove keys (and the roots)
// stay, with their values, and only the keys named in their bodies are deleted.
// The whole script is checked before anything is written: a malformed script changes nothing.
#pragma once

#include <span>
#include <string_view>

#include "platform/com.h"

namespace com {

struct ReplacementVariable {
  std::u16string_view name;
  std::u16string_view value;
};

enum class ScriptMode { register_keys, unregister_keys };

// S_OK, E_FAIL for a malformed script or an unknown variable, E_OUTOFMEMORY, or the registry's
// failure as an HRESULT.
HRESULT run_registry_script(std::u16string_view script, ScriptMode mode,
                            std::span<const ReplacementVariable> variables) noexcept;

}  // namespace com
