// A run of whole lines of a batch's event log and, once rendered, their records: the unit that
// passes from the thread reading the log to a rendering thread and on to the writing thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "batch_line_parser.hpp"
#include "byte_buffer.hpp"

namespace host {

// A line that the writer accounts for beyond writing its record: a malformed line, which it
// also reports, or an event that failed.
struct LineNote {
  std::size_t record_start;  // the offset of the line's record in the chunk's records
  std::size_t line_number;
  bool malformed;
  MalformedReason reason;  // malformed lines
  std::string problem;     // what is wrong with the line, or the failure's reason
};

struct Chunk {
  // Read: whole lines, each ending in a line feed but perhaps the log's last, followed by at
  // least line_padding bytes of room.
  ByteBuffer lines;
  std::size_t first_line = 0;   // the number of its first line in the log
  std::uint64_t bytes_read = 0;  // of the log, through the end of this chunk

  // Rendered: a record and a line feed for each line that is not blank.
  ByteBuffer records;
  std::vector<LineNote> notes;  // in line order
  std::uint64_t events = 0;     // lines that named an event, rendered or not
  std::exception_ptr failure;   // what stopped the rendering, which the writer raises in turn
};

}  // namespace host
