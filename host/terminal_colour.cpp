#include "terminal_colour.hpp"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace host {

namespace {

constexpr std::uint32_t white = 0x00FFFFFF;
constexpr std::uint32_t changed_property = 0x00FFFF80;

struct Rgb {
  int red, green, blue;
};

Rgb channels(std::uint32_t colorref) noexcept {
  return {static_cast<int>(colorref & 0xFFu), static_cast<int>(colorref >> 8 & 0xFFu),
          static_cast<int>(colorref >> 16 & 0xFFu)};
}

bool environment_is(const char* name, std::string_view value) {
  const char* set = std::getenv(name);
  return set != nullptr && value == set;
}

// The palette's 6x6x6 cube (indices 16 to 231), channel by channel. The first sixteen colours are
// left out, as every terminal defines them its own way.
int nearest_palette_index(Rgb rgb) noexcept {
  constexpr std::array<int, 6> levels{0, 95, 135, 175, 215, 255};
  auto nearest_level = [&](int value) {
    int best = 0;
    for (int i = 1; i < 6; ++i)
      if (std::abs(levels[static_cast<std::size_t>(i)] - value) < std::abs(levels[static_cast<std::size_t>(best)] - value))
        best = i;
    return best;
  };
  return 16 + 36 * nearest_level(rgb.red) + 6 * nearest_level(rgb.green) + nearest_level(rgb.blue);
}

}  // namespace

ColourDepth colour_depth(ColourMode mode, int file_descriptor) {
  if (mode == ColourMode::never) return ColourDepth::none;
  if (mode == ColourMode::automatic) {
    const char* no_colour = std::getenv("NO_COLOR");
    if (no_colour != nullptr && *no_colour != '\0') return ColourDepth::none;
    if (isatty(file_descriptor) != 1 || environment_is("TERM", "dumb")) return ColourDepth::none;
  }
  return environment_is("COLORTERM", "truecolor") || environment_is("COLORTERM", "24bit") ? ColourDepth::true_colour
                                                                                          : ColourDepth::palette_256;
}

std::array<char, 7> colour_hex(std::uint32_t colorref) noexcept {
  constexpr char digits[] = "0123456789ABCDEF";
  // COLORREF holds red in its low byte; the text puts it first.
  return {'#', digits[colorref >> 4 & 0xF], digits[colorref & 0xF], digits[colorref >> 12 & 0xF],
          digits[colorref >> 8 & 0xF], digits[colorref >> 20 & 0xF], digits[colorref >> 16 & 0xF]};
}

std::string paint(ColourDepth depth, std::uint32_t colorref, std::string_view text) {
  if (depth == ColourDepth::none || colorref == white || colorref == changed_property) return std::string(text);
  Rgb rgb = channels(colorref);
  std::array<char, 24> start{};
  int n = depth == ColourDepth::true_colour
              ? std::snprintf(start.data(), start.size(), "\x1b[38;2;%d;%d;%dm", rgb.red, rgb.green, rgb.blue)
              : std::snprintf(start.data(), start.size(), "\x1b[38;5;%dm", nearest_palette_index(rgb));
  std::string painted(start.data(), static_cast<std::size_t>(n));
  painted += text;
  painted += "\x1b[0m";
  return painted;
}

}  // namespace host
