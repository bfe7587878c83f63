// Releases a COM interface pointer, as the deleter of a std::unique_ptr.
#pragma once

#include "platform/com.h"

namespace host {

struct ReleaseInterface {
  void operator()(IUnknown* object) const noexcept { object->Release(); }
};

}  // namespace host
