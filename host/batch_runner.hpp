// Renders an event log of JSON Lines on several threads and writes the records in input order, a
// malformed line's record in its place.
// The log is taken in chunks, so memory stays bounded: the threads share out a chunk's lines
// while the calling thread writes the records of the chunk before and reads the next, then joins
// them. The records are written a chunk at a time, in order.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <map>
#include <string>

#include "batch_line_parser.hpp"
#include "event_renderer.hpp"

namespace host {

class EventTable;
class PluginLibrary;
class ProgressMeter;

struct BatchSummary {
  std::uint64_t events = 0;     // lines that named an event, rendered or not
  std::uint64_t failed = 0;     // events with a failed rendering
  std::uint64_t malformed = 0;  // lines that are not events
  // Failures by the deciding part's HRESULT and error description.
  std::map<std::string, std::uint64_t> failures;
  std::array<std::uint64_t, malformed_reason_count> malformed_by_reason{};
  std::chrono::duration<double> elapsed{};
};

class BatchRunner {
 public:
  BatchRunner(const PluginLibrary& plugin, const EventTable& events, unsigned jobs, BufferPolicy buffers);

  // Records go to out, one for each line that is not blank, in input order. The first
  // max_reported malformed lines are also reported on errors, each with its line number. A failed
  // write to out ends the run with WriteError.
  BatchSummary run(std::istream& input, std::FILE* out, std::FILE* errors, std::uint64_t max_reported,
                   ProgressMeter& meter);

 private:
  const PluginLibrary& plugin_;
  const EventTable& events_;
  unsigned jobs_;
  BufferPolicy buffers_;
};

// The summary as lines of text: counts, failures and malformed lines by reason, the most
// frequent first, and events per second.
std::string format_summary(const BatchSummary& summary);

}  // namespace host
