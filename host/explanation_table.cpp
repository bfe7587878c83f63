#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "event_table.hpp"
#include "explanation_forms.hpp"
#include "payload_explanation.hpp"
#include "payload_input.hpp"

namespace host {

namespace {

constexpr std::size_t columns = 6;
using Row = std::array<std::string, columns>;

// Columns of a terminal that UTF-8 text takes: one per character.
std::size_t display_width(std::string_view text) noexcept {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Left-aligned columns two blanks apart, numbers right-aligned; the last column unpadded.
std::string layout(const std::vector<Row>& rows) {
  std::array<std::size_t, columns> width{};
  for (const Row& row : rows)
    for (std::size_t c = 0; c < columns; ++c) width[c] = std::max(width[c], display_width(row[c]));
  std::string out;
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string pad(width[c] - display_width(row[c]), ' ');
      if (c < 2)
        line += pad + row[c];
      else
        line += c + 1 < columns ? row[c] + pad : row[c];
      if (c + 1 < columns) line += "  ";
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
  }
  return out;
}

}  // namespace

std::string explanation_heading(const EventRow& row, const Explanation& explanation) {
  std::string heading = "Row " + std::to_string(row.row) + " (" + row.name + "): " +
                        std::to_string(explanation.payload.size()) + " bytes, " +
                        std::to_string(explanation.read) + " read";
  if (explanation.unread() != 0)
    heading += ", " + std::to_string(explanation.unread()) +
               (explanation.failure ? " not read (the rendering failed)" : " not read by this event type");
  return heading;
}

std::string failure_text(const Explanation& explanation) {
  const ExplainedFailure& failure = *explanation.failure;
  if (!failure.needed) return failure.description + " after offset " + std::to_string(failure.offset);
  return "needed " + std::to_string(*failure.needed) + " bytes at offset " + std::to_string(failure.offset) +
         ", " + std::to_string(*failure.remaining) + " left (" + failure.description + ")";
}

std::string on_one_line(std::string text) {
  std::string line;
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20)
      line += "\xEF\xBF\xBD";
    else
      line += c;
  }
  return line;
}

std::string span_meaning(const Explanation& explanation, std::size_t span) {
  const ExplainedSpan& s = explanation.spans[span];
  if (s.role != io::LayoutRole::none)
    return "(" + std::string(role_name(s.role)) + " " + steering_value(s, explanation.payload) + ")";
  return s.value.value_or("");
}

std::string explanation_table(const EventRow& row, const Explanation& explanation) {
  const std::span<const std::uint8_t> payload(explanation.payload);
  std::vector<Row> rows{{"offset", "length", "read as", "field", "value or (role)", "bytes"}};
  for (std::size_t i = 0; i < explanation.spans.size(); ++i) {
    const ExplainedSpan& span = explanation.spans[i];
    rows.push_back({std::to_string(span.offset), std::to_string(span.length), std::string(primitive_name(span.primitive)),
                    on_one_line(span.path), on_one_line(span_meaning(explanation, i)), format_hex(payload.subspan(span.offset, span.length))});
  }
  if (explanation.unread() != 0)
    rows.push_back({std::to_string(explanation.read), std::to_string(explanation.unread()),
                    explanation.failure ? "not read" : "not read by this event type", "", "",
                    format_hex(payload.subspan(explanation.read))});
  std::string out = explanation_heading(row, explanation) + "\n" + layout(rows);
  if (explanation.failure) out += "The rendering failed: " + failure_text(explanation) + "\n";
  return out;
}

}  // namespace host
