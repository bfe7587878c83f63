// The module's registry script as the library carries it: in the Windows library the resource
// 101 of type "REGISTRY" in US English, elsewhere the same file compiled in.
#pragma once

#include <string_view>

#include "platform/com.h"

namespace com::module {

// The script's narrow text, valid while the library is loaded: S_OK, or the loader's failure to
// find the resource.
HRESULT registry_script_resource(std::string_view& script) noexcept;

}  // namespace com::module
