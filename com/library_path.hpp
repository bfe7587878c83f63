// Where this library was loaded from, as the registry records in-process servers.
#pragma once

#include <string>

#include "platform/com.h"

namespace com {

// The absolute path of the module holding this code: S_OK, E_FAIL when the loader does not
// know it, or E_OUTOFMEMORY.
HRESULT library_path(std::u16string& path) noexcept;

}  // namespace com
