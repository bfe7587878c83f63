// The renderers the plug-in's entries are measured against: the same output, produced the way most
// code produces it (an ostringstream or string concatenation, or libxml2's xmlTextWriter) and then
// copied into the caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace bench {

enum class Output { xml, text };

// An entry's arguments; colour is written by text renderers only. False when the output does not
// fit the buffer.
using ConventionalRenderer = bool (*)(std::span<const std::uint8_t> payload, char16_t* buffer,
                                      std::uint32_t size, std::uint32_t* colour);

struct ConventionalRendering {
  std::size_t row;  // the catalogue row whose entry it stands beside
  Output output;
  std::string_view method;
  ConventionalRenderer render;
};

std::span<const ConventionalRendering> conventional_renderings();

}  // namespace bench
