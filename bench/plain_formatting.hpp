// Values formatted the everyday way, into std::string with std::to_string: the formatting of the
// conventional renderers the benchmarks compare with. Same texts as the plug-in's formatting.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "changes/value_kind.hpp"
#include "io/byte_cursor.hpp"

namespace bench::plain {

std::string frequency_text(std::int64_t hertz);
std::string bit_rate_text(std::int32_t bits_per_second);
std::string ipv4_text(std::uint32_t address);

// Reads one value of a configuration record and gives its text; nullopt for a value without
// text (a label of count zero or below). Kinds that carry device references are not handled.
std::optional<std::string> value_text(ByteCursor& in, data::ValueKind kind);

}  // namespace bench::plain
