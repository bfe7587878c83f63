#include "terminal_colour.hpp"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace host {

namespace {

struct Rgb {
  unsigned red, green, blue;
};

Rgb channels(std::uint32_t colorref) noexcept {
  return {colorref & 0xFFu, colorref >> 8 & 0xFFu, colorref >> 16 & 0xFFu};
}

}  // namespace

bool colour_enabled(ColourMode mode, int file_descriptor) {
  switch (mode) {
    case ColourMode::always: return true;
    case ColourMode::never: return false;
    case ColourMode::automatic: break;
  }
  const char* no_colour = std::getenv("NO_COLOR");
  if (no_colour != nullptr && *no_colour != '\0') return false;
  return isatty(file_descriptor) == 1;
}

std::string colour_hex(std::uint32_t colorref) {
  Rgb rgb = channels(colorref);
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%02X%02X%02X", rgb.red, rgb.green, rgb.blue);
  return std::string(text.data(), 7);
}

std::string colour_start(std::uint32_t colorref) {
  Rgb rgb = channels(colorref);
  std::array<char, 24> text{};
  int n = std::snprintf(text.data(), text.size(), "\x1b[38;2;%u;%u;%um", rgb.red, rgb.green, rgb.blue);
  return std::string(text.data(), static_cast<std::size_t>(n));
}

}  // namespace host
