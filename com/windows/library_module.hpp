// The module that holds this library's code, as the loader knows it.
#pragma once

#include "platform/com.h"

namespace com {

// Null when the loader does not know it. No reference is added.
HMODULE library_module() noexcept;

}  // namespace com
