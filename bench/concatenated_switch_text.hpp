// The in-band switch sentence built by string concatenation with std::to_string.
#pragma once

#include <cstdint>
#include <string>

#include "io/byte_cursor.hpp"

namespace bench {

// The sentence as UTF-8; the colour as the plug-in's text renderer returns it.
std::string concatenated_inband_switch_text(ByteCursor& in, std::uint32_t& colour);

}  // namespace bench
