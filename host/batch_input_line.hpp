// One event as a line of batch input, the form that `samples --jsonl` writes and batch reads:
// {"type": "{GUID}", "payload": "HEX", "row": N}.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/com.h"

namespace host {

// With its line break.
std::string batch_input_line(const GUID& type, std::size_t row, std::span<const std::uint8_t> payload);

}  // namespace host
