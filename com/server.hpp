// The standard entry points of the in-process server, combining the proxy part (the factory
// and registration of the catalogued interfaces) with the module object.
#pragma once

#include "platform/com.h"

namespace com::server {

// S_FALSE while the module is locked or the proxy factory is referenced, S_OK otherwise.
HRESULT can_unload_now() noexcept;

// The proxy factory for its class identifier; CLASS_E_CLASSNOTAVAILABLE otherwise, since the
// module serves no classes of its own; E_POINTER for a null out-pointer.
HRESULT get_class_object(REFCLSID clsid, REFIID iid, void** out) noexcept;

HRESULT register_server() noexcept;

// Writes the proxy entries once more before removing them, so that a failure to write them
// stops the removal.
HRESULT unregister_server() noexcept;

}  // namespace com::server
