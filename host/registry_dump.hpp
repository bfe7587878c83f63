// The registry stand-in's keys and values in the text form of registry export (.reg) files.
#pragma once

#include <ostream>

#include "platform/registry.h"

namespace host {

// The registry's walk: VedRegistryVisit, linked or looked up in the loaded plug-in.
using RegistryWalk = void (*)(const VedRegistryVisitor* visitor);

// The format's header line and a blank line, then for each key its path in brackets, its
// values ("name"="data", @="data" for the default value) and a blank line.
void write_registry(std::ostream& out, RegistryWalk walk);

}  // namespace host
