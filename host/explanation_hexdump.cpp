#include <cstdio>
#include <string_view>

#include "event_table.hpp"
#include "explanation_forms.hpp"
#include "payload_explanation.hpp"

namespace host {

namespace {

constexpr std::size_t row_bytes = 16;

// Neighbouring fields take neighbouring colours of this cycle; none is white or the light colour
// of changed properties, which the terminal shows in its own foreground. COLORREFs, 0x00BBGGRR.
constexpr std::uint32_t field_colours[] = {0x000080FF, 0x0000C000, 0x00FF8000, 0x00C000C0, 0x00C0C000, 0x0000C0C0};

std::uint32_t colour_of(std::size_t span) noexcept {
  return field_colours[span % std::size(field_colours)];
}

std::string hex_byte(std::uint8_t byte) {
  constexpr char digits[] = "0123456789ABCDEF";
  return {digits[byte >> 4], digits[byte & 0xF]};
}

char printable(std::uint8_t byte) noexcept {
  return byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
}

std::string offset_text(std::size_t offset) {
  char text[17];
  std::snprintf(text, sizeof text, "%08zX", offset);
  return text;
}

}  // namespace

std::string explanation_hexdump(const EventRow& row, const Explanation& explanation, ColourDepth colour) {
  const std::vector<std::uint8_t>& payload = explanation.payload;
  // The span of each byte read; bytes past the last read have none.
  std::vector<std::size_t> span_of(explanation.read);
  for (std::size_t i = 0; i < explanation.spans.size(); ++i)
    for (std::size_t b = 0; b < explanation.spans[i].length; ++b) span_of[explanation.spans[i].offset + b] = i;
  auto painted = [&](std::size_t at, std::string_view text) {
    return at < explanation.read ? paint(colour, colour_of(span_of[at]), text) : std::string(text);
  };

  std::string out = explanation_heading(row, explanation) + "\n";
  for (std::size_t start = 0; start < payload.size(); start += row_bytes) {
    std::string hex, characters;
    for (std::size_t at = start; at < start + row_bytes; ++at) {
      hex += at == start + row_bytes / 2 ? "  " : " ";
      if (at < payload.size()) {
        hex += painted(at, hex_byte(payload[at]));
        characters += painted(at, std::string(1, printable(payload[at])));
      } else {
        hex += "  ";
      }
    }
    out += offset_text(start) + " " + hex + "  |" + characters + "|\n";
  }
  out += "\n";
  for (std::size_t i = 0; i < explanation.spans.size(); ++i) {
    const ExplainedSpan& span = explanation.spans[i];
    std::string range = std::to_string(span.offset);
    if (span.length > 1) range += "-" + std::to_string(span.offset + span.length - 1);
    std::string line = paint(colour, colour_of(i), range) + std::string(range.size() < 8 ? 8 - range.size() : 0, ' ') +
                       "  " + std::string(primitive_name(span.primitive)) + "  " + on_one_line(span.path);
    const std::string meaning = on_one_line(span_meaning(explanation, i));
    if (!meaning.empty()) line += "  " + meaning;
    out += line + "\n";
  }
  if (explanation.unread() != 0)
    out += std::to_string(explanation.read) +
           (explanation.unread() > 1 ? "-" + std::to_string(payload.size() - 1) : std::string()) +
           (explanation.failure ? "  not read" : "  not read by this event type") + "\n";
  if (explanation.failure) out += "The rendering failed: " + failure_text(explanation) + "\n";
  return out;
}

}  // namespace host
