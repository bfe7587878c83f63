// The switching service's interfaces as widl declares them for C++ from the catalogue.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include "windows/proxy_stub_prototypes.h"

#include <switching_interfaces.h>
