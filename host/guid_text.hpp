// Event types as text: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com.h"

namespace host {

// Upper-case hexadecimal in braces.
std::string format_guid(const GUID& guid);

// Accepts the braced and the bare form, in either letter case; nullopt for anything else.
std::optional<GUID> parse_guid(std::string_view text);

}  // namespace host
