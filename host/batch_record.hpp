// The line formats of a batch: one event of the log in, one record out, both JSON.
//   in:  {"type": EVENT, "payload": "hex", "row": n}   ("row" optional)
//   out: {"line", "row", "name", "hr", "text", "colour", "xml", "error", "failed"}
//        {"line", "malformed"}   for a line that is not an event
// EVENT is what render takes: a row number, an event-type GUID or a display name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "byte_buffer.hpp"
#include "event_renderer.hpp"
#include "exit_status.hpp"

namespace host {

class EventTable;
struct EventRow;

struct BatchEvent {
  const EventRow* row;
  std::vector<std::uint8_t> payload;
};

// Why a line is not an event, in the few kinds the summary counts.
enum class MalformedReason { not_json, not_object, bad_type, unknown_event, ambiguous_event, bad_row, bad_payload };
inline constexpr std::size_t malformed_reason_count = 7;

// "not valid JSON", "\"type\" matches no event", ...
std::string_view describe(MalformedReason reason) noexcept;

// A line that is not an event: its reason and what exactly is wrong.
class MalformedLine : public InputError {
 public:
  MalformedLine(MalformedReason reason, const std::string& message) : InputError(message), reason_(reason) {}
  MalformedReason reason() const noexcept { return reason_; }

 private:
  MalformedReason reason_;
};

// EVENT resolves as in render: a GUID or display name that several rows share needs "row", and
// "row" must be one of the rows EVENT names. MalformedLine says what is wrong with a line.
BatchEvent parse_batch_event(std::string_view line, const EventTable& events);

// The part whose failure counts for the event: the first failing one, text before XML.
enum class RenderedPart { text, xml };
RenderedPart deciding_part(const Rendering& text, const Rendering& xml) noexcept;

// Appends one output record, without a line break. "hr" and "error" are those of the deciding
// part, which "failed" names when it failed; "colour" is null unless the text succeeded.
void append_batch_record(ByteBuffer& out, std::size_t line_number, const EventRow& row,
                         const Rendering& text, const Rendering& xml);

// Appends the record of a malformed line, without a line break.
void append_malformed_record(ByteBuffer& out, std::size_t line_number, std::string_view message);

}  // namespace host
