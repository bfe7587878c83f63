// Renders an event log of JSON Lines on several threads and writes the records in input order.
// The log is taken in chunks, so memory stays bounded: the threads share out a chunk's lines
// while the calling thread writes the records of the chunk before and reads the next, then joins
// them. The records are written a chunk at a time, in order.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <map>

#include "event_renderer.hpp"

namespace host {

class EventTable;
class PluginLibrary;
class ProgressMeter;

struct BatchSummary {
  std::uint64_t events = 0;     // lines that named an event, rendered or not
  std::uint64_t failed = 0;     // events with a failed rendering
  std::uint64_t malformed = 0;  // lines skipped
  std::map<HRESULT, std::uint64_t> failures;  // by the deciding HRESULT
  std::chrono::duration<double> elapsed{};
};

class BatchRunner {
 public:
  BatchRunner(const PluginLibrary& plugin, const EventTable& events, unsigned jobs, BufferPolicy buffers);

  // Records go to out, malformed lines are reported on errors, each with its line number.
  BatchSummary run(std::istream& input, std::FILE* out, std::FILE* errors, ProgressMeter& meter);

 private:
  const PluginLibrary& plugin_;
  const EventTable& events_;
  unsigned jobs_;
  BufferPolicy buffers_;
};

// The summary as lines of text: counts, failures by HRESULT, events per second.
std::string format_summary(const BatchSummary& summary);

}  // namespace host
