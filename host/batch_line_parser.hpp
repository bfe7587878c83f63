// A line of a batch's event log: {"type": EVENT, "payload": "hex", "row": n} ("row" optional),
// EVENT being what render takes: a row number, an event-type GUID or a display name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exit_status.hpp"

namespace host {

class EventTable;
struct EventRow;

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

// Bytes after a line that the parser may read (but not use): lines are parsed where they lie in
// the block that was read, which keeps this much room after its last line.
inline constexpr std::size_t line_padding = 64;

// Reads the events of lines one after another. One per thread: it keeps its buffers from line to
// line. A fast parser reads the lines it can; the general one decides the rest (a byte order
// mark, numbers beyond 64 bits, very long or deeply nested lines) and every malformed line, so
// that both give the same verdict.
class BatchLineParser {
 public:
  explicit BatchLineParser(const EventTable& events);
  ~BatchLineParser();
  BatchLineParser(const BatchLineParser&) = delete;
  BatchLineParser& operator=(const BatchLineParser&) = delete;

  // The row that line names, its payload decoded into payload(). EVENT resolves as in render: a
  // GUID or display name that several rows share needs "row", and "row" must be one of the rows
  // EVENT names. line_padding bytes after the line must be readable. MalformedLine says what is
  // wrong with a line.
  const EventRow& parse(std::string_view line);

  // The payload of the last line parsed.
  std::span<const std::uint8_t> payload() const noexcept { return payload_; }

 private:
  struct FastParser;
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
  };

  // The rows that EVENT names.
  const std::vector<const EventRow*>& rows_named(std::string_view event);

  const EventTable& events_;
  std::unique_ptr<FastParser> fast_;
  std::vector<std::uint8_t> payload_;
  // A log names few event types, over and over, so the rows each EVENT names are remembered; up
  // to a bound, as a log of ever different names would fill it.
  std::unordered_map<std::string, std::vector<const EventRow*>, TextHash, std::equal_to<>> named_by_event_;
  std::vector<const EventRow*> named_;  // for an EVENT beyond the bound
};

}  // namespace host
