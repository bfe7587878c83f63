// The records a batch writes, one JSON line for each event of the log:
//   {"line", "row", "name", "hr", "text", "colour", "xml", "error", "failed"}
//   {"line", "malformed"}   for a line that is not an event
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "byte_buffer.hpp"
#include "event_renderer.hpp"

namespace host {

class EventTable;
struct EventRow;

// The part whose failure counts for the event: the first failing one, text before XML.
enum class RenderedPart { text, xml };
RenderedPart deciding_part(const Rendering& text, const Rendering& xml) noexcept;

// Writes the records of events. What a record says of its row, the number and the name, is
// written once for each row beforehand.
class BatchRecordWriter {
 public:
  explicit BatchRecordWriter(const EventTable& events);

  // Appends one output record, without a line break. "hr" and "error" are those of the deciding
  // part, which "failed" names when it failed; "colour" is null unless the text succeeded.
  void append(ByteBuffer& out, std::size_t line_number, const EventRow& row, const Rendering& text,
              const Rendering& xml) const;

 private:
  std::vector<std::string> row_fields_;  // by row
};

// Appends the record of a malformed line, without a line break.
void append_malformed_record(ByteBuffer& out, std::size_t line_number, std::string_view message);

}  // namespace host
