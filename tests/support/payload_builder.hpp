// Builds little-endian event payloads field by field for table-driven tests: the host's writer,
// so that tests and samples encode payloads one way.
#pragma once

#include "host/payload_writer.hpp"

namespace test {
using PayloadBuilder = host::PayloadWriter;
}  // namespace test
