// The display colour of a sentence: a COLORREF (0x00BBGGRR) shown as 24-bit terminal colour.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

enum class ColourMode { automatic, always, never };

// always and never decide alone; automatic colours a terminal unless NO_COLOR is set and not empty.
bool colour_enabled(ColourMode mode, int file_descriptor);

// "#RRGGBB".
std::string colour_hex(std::uint32_t colorref);

// The escape sequence that selects the colour as foreground, and the one that resets it.
std::string colour_start(std::uint32_t colorref);
inline constexpr std::string_view colour_reset = "\x1b[0m";

}  // namespace host
