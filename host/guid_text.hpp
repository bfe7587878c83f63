// Event types read from text; com/guid_text.hpp writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com.h"

namespace host {

// Accepts the braced and the bare form, in either letter case; nullopt for anything else.
std::optional<GUID> parse_guid(std::string_view text);

}  // namespace host
