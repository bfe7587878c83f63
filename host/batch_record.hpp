// The line formats of a batch: one event of the log in, one rendered event out, both JSON.
//   in:  {"type": "{GUID}", "payload": "hex", "row": n}   ("row" optional)
//   out: {"line", "row", "name", "hr", "text", "colour", "xml", "error"}
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "event_renderer.hpp"

namespace host {

class EventTable;
struct EventRow;

struct BatchEvent {
  const EventRow* row;
  std::vector<std::uint8_t> payload;
};

// Without "row" the first row in table order with the event type serves. InputError says what
// is wrong with a malformed line.
BatchEvent parse_batch_event(std::string_view line, const EventTable& events);

// The result that counts for the event: the first failure, the text's before the XML's.
const Rendering& deciding_rendering(const Rendering& text, const Rendering& xml) noexcept;

// Appends one output record, without a line break. "hr" and "error" are those of the deciding
// rendering; "colour" is null unless the text succeeded.
void append_batch_record(std::string& out, std::size_t line_number, const EventRow& row,
                         const Rendering& text, const Rendering& xml);

}  // namespace host
