// Renders an event log of JSON Lines on several threads and writes the records in input order, a
// malformed line's record in its place.
// One thread reads the log in chunks of whole lines, the rendering threads take a chunk each and
// render it into records, and the calling thread writes the chunks' records in log order, so that
// reading and writing only move bytes. A few chunks are in flight at once, so memory stays small
// whatever the log's length. When the log pauses, as a pipe from a live source does, the lines
// that came are rendered and written at once.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "batch_line_parser.hpp"
#include "event_renderer.hpp"

namespace host {

class EventTable;
class LogInput;
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
  // write to out ends the run with WriteError, a failed read with InputError once the records of
  // the lines read before are written.
  BatchSummary run(std::unique_ptr<LogInput> input, std::FILE* out, std::FILE* errors, std::uint64_t max_reported,
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
