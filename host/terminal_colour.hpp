// The display colour of a sentence, a COLORREF (0x00BBGGRR), on a terminal: in 24-bit colour where
// the terminal says it has it, otherwise the nearest colour of the 256-colour palette.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace host {

enum class ColourMode { automatic, always, never };

enum class ColourDepth { none, palette_256, true_colour };

// never and always decide whether to colour alone; automatic colours a terminal unless NO_COLOR
// is set and not empty or TERM is dumb. The depth is 24-bit when COLORTERM is truecolor or 24bit.
ColourDepth colour_depth(ColourMode mode, int file_descriptor);

// "#RRGGBB".
std::array<char, 7> colour_hex(std::uint32_t colorref) noexcept;

// text between the escape sequences that select the colour as foreground and reset it. White and
// the light colour of changed properties vanish on a light background, so text in them keeps the
// terminal's default foreground, as does all text at ColourDepth::none.
std::string paint(ColourDepth depth, std::uint32_t colorref, std::string_view text);

}  // namespace host
