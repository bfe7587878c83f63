// The interfaces whose proxies and stubs the plug-in provides, written as MIDL definitions
// from the constant catalogue the plug-in itself serves.
#pragma once

#include <ostream>

namespace com::marshal {

// One interface block per catalogued interface, in catalogue order, with methods named by their
// slot and the records and arrays of their parameters declared before them.
void write_interface_idl(std::ostream& out);

}  // namespace com::marshal
