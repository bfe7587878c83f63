#include "batch_runner.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <exception>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "batch_line_parser.hpp"
#include "batch_record.hpp"
#include "event_table.hpp"
#include "exit_status.hpp"
#include "hresult_text.hpp"
#include "input_file.hpp"
#include "progress_meter.hpp"
#include "standard_output.hpp"
#include "utf16_text.hpp"

namespace host {

namespace {

// Two chunks are in flight at once. Small enough that a thread still finds the lines it read and
// the records it rendered in its cache; large enough that starting the helpers and evening out
// the last blocks cost little.
constexpr std::size_t chunk_lines = 2048;
// Threads claim lines a block at a time: fewer trips to the shared counter, and outcomes that
// different threads write rarely share a cache line. Small enough that the last blocks of a
// chunk still even out the threads' work.
constexpr std::size_t block_lines = 32;

struct LineOutcome {
  enum class Kind { blank, event, malformed } kind = Kind::blank;
  ByteBuffer record;
  bool failed = false;     // events
  std::string problem;     // a failed event's reason, or what is wrong with a malformed line
  MalformedReason malformed_reason = MalformedReason::not_json;
};

// A run of the log's lines and what rendering made of them. The buffers keep their capacity from
// one chunk to the next.
struct Chunk {
  std::vector<std::string> lines = std::vector<std::string>(chunk_lines);
  std::vector<LineOutcome> outcomes = std::vector<LineOutcome>(chunk_lines);
  std::size_t count = 0;         // 0: past the end of the log
  std::size_t lines_before = 0;  // in the log, for line numbers
  std::uint64_t bytes_read = 0;  // from the log, through the end of this chunk
};

bool is_blank(std::string_view line) noexcept {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// "0x80020009 DISP_E_EXCEPTION: an underflow occured", what the summary groups failures by.
std::string failure_reason(const Rendering& rendering) {
  std::string reason = describe_hresult(rendering.hr);
  return rendering.error_description ? reason + ": " + to_display_utf8(*rendering.error_description)
                                     : reason + " (no error description)";
}

struct LineWorker {
  EventRenderer& renderer;
  BatchLineParser& parser;
};

void process_line(std::string& line, std::size_t line_number, LineWorker worker, LineOutcome& outcome) {
  outcome.record.clear();
  outcome.problem.clear();
  if (is_blank(line)) {
    outcome.kind = LineOutcome::Kind::blank;
    return;
  }
  try {
    line.reserve(line.size() + line_padding);
    const EventRow& row = worker.parser.parse(line);
    Rendering text = worker.renderer.text(*row.record, worker.parser.payload());
    Rendering xml = worker.renderer.xml(*row.record, worker.parser.payload());
    append_batch_record(outcome.record, line_number, row, text, xml);
    const Rendering& deciding = deciding_part(text, xml) == RenderedPart::text ? text : xml;
    outcome.kind = LineOutcome::Kind::event;
    outcome.failed = !deciding.succeeded();
    if (outcome.failed) outcome.problem = failure_reason(deciding);
  } catch (const MalformedLine& e) {
    outcome.kind = LineOutcome::Kind::malformed;
    outcome.problem = e.what();
    outcome.malformed_reason = e.reason();
    append_malformed_record(outcome.record, line_number, outcome.problem);
  }
}

// Fills chunk with the lines that follow previous. The counts are kept locally until the end, as
// the threads rendering the other chunk read its neighbouring fields.
void read_chunk(std::istream& input, const Chunk& previous, Chunk& chunk) {
  std::size_t count = 0;
  std::uint64_t bytes_read = previous.bytes_read;
  while (count < chunk_lines && std::getline(input, chunk.lines[count])) {
    std::string& line = chunk.lines[count];
    bytes_read += line.size() + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++count;
  }
  chunk.count = count;
  chunk.lines_before = previous.lines_before + previous.count;
  chunk.bytes_read = bytes_read;
}

// Renders one chunk: helper threads start on it at once, and the calling thread joins in once it
// is free, in finish().
class ChunkRendering {
 public:
  ChunkRendering(Chunk& chunk, std::span<LineWorker> helpers) : chunk_(chunk) {
    const std::size_t blocks = (chunk.count + block_lines - 1) / block_lines;
    for (std::size_t w = 0; w < helpers.size() && w + 1 < blocks; ++w)
      helpers_.emplace_back([this, worker = helpers[w]] { render(worker); });
  }

  // Renders whatever the helpers have not claimed, waits for them, and rethrows the first
  // exception any thread met.
  void finish(LineWorker worker) {
    render(worker);
    helpers_.clear();  // joins them, so their outcomes and failure are visible here
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void render(LineWorker worker) {
    try {
      for (std::size_t first; (first = next_.fetch_add(block_lines)) < chunk_.count;) {
        const std::size_t end = std::min(first + block_lines, chunk_.count);
        for (std::size_t i = first; i < end; ++i)
          process_line(chunk_.lines[i], chunk_.lines_before + i + 1, worker, chunk_.outcomes[i]);
      }
    } catch (...) {
      std::lock_guard lock(failure_lock_);
      if (!failure_) failure_ = std::current_exception();
      next_ = chunk_.count;  // the others stop after their current block
    }
  }

  Chunk& chunk_;
  std::atomic<std::size_t> next_{0};
  std::mutex failure_lock_;
  std::exception_ptr failure_;
  // Last, so that an exception on the calling thread joins the helpers before the rest goes.
  std::vector<std::jthread> helpers_;
};

// Writes rendered chunks in order and counts their lines. A malformed line's report comes after
// the records of the lines before it.
class ChunkWriter {
 public:
  ChunkWriter(std::FILE* out, std::FILE* errors, std::uint64_t max_reported, ProgressMeter& meter,
              BatchSummary& summary)
      : out_(out), errors_(errors), max_reported_(max_reported), meter_(meter), summary_(summary) {}

  void write(const Chunk& chunk) {
    if (chunk.count == 0) return;
    written_.clear();
    for (std::size_t i = 0; i < chunk.count; ++i) {
      const LineOutcome& outcome = chunk.outcomes[i];
      switch (outcome.kind) {
        case LineOutcome::Kind::blank: continue;
        case LineOutcome::Kind::event:
          ++summary_.events;
          if (outcome.failed) {
            ++summary_.failed;
            ++summary_.failures[outcome.problem];
          }
          break;
        case LineOutcome::Kind::malformed:
          ++summary_.malformed;
          ++summary_.malformed_by_reason[static_cast<std::size_t>(outcome.malformed_reason)];
          report(chunk.lines_before + i + 1, outcome.problem);
          break;
      }
      written_.append(outcome.record.view());
      written_.append("\n");
    }
    write_all(out_, written_.view());
    meter_.update(summary_.events, chunk.bytes_read);
  }

 private:
  void report(std::size_t line_number, const std::string& problem) {
    if (summary_.malformed > max_reported_ + 1) return;
    // The records before it first, so that a terminal shows them in order.
    write_all(out_, written_.view());
    written_.clear();
    flush_output(out_);
    meter_.clear();
    if (summary_.malformed <= max_reported_) {
      std::fprintf(errors_, "veduvedad: line %zu: %s\n", line_number, problem.c_str());
    } else {
      std::fprintf(errors_, "veduvedad: further malformed lines are only counted (--max-errors %llu)\n",
                   static_cast<unsigned long long>(max_reported_));
    }
  }

  std::FILE* out_;
  std::FILE* errors_;
  std::uint64_t max_reported_;
  ProgressMeter& meter_;
  BatchSummary& summary_;
  ByteBuffer written_;
};

}  // namespace

BatchRunner::BatchRunner(const PluginLibrary& plugin, const EventTable& events, unsigned jobs,
                         BufferPolicy buffers)
    : plugin_(plugin), events_(events), jobs_(jobs == 0 ? 1 : jobs), buffers_(buffers) {}

BatchSummary BatchRunner::run(std::istream& input, std::FILE* out, std::FILE* errors,
                              std::uint64_t max_reported, ProgressMeter& meter) {
  auto start = std::chrono::steady_clock::now();
  BatchSummary summary;

  // Renderers keep their buffers from chunk to chunk; the calling thread always uses the first,
  // and each helper the same one of the rest.
  std::vector<EventRenderer> renderers;
  std::vector<std::unique_ptr<BatchLineParser>> parsers;
  std::vector<LineWorker> workers;
  renderers.reserve(jobs_);
  for (unsigned w = 0; w < jobs_; ++w) {
    renderers.emplace_back(plugin_, buffers_);
    parsers.push_back(std::make_unique<BatchLineParser>(events_));
    workers.push_back({renderers.back(), *parsers.back()});
  }
  const std::span<LineWorker> helpers = std::span(workers).subspan(1);

  // The two chunks take turns: while the helpers render the current one, the other's records are
  // written and the next chunk is read into it, so the reading and writing overlap the rendering.
  ChunkWriter writer(out, errors, max_reported, meter, summary);
  std::array<Chunk, 2> chunks;
  Chunk* current = &chunks[0];
  Chunk* other = &chunks[1];
  read_chunk(input, *other, *current);
  while (current->count > 0) {
    ChunkRendering rendering(*current, helpers);
    writer.write(*other);  // nothing before the first chunk
    read_chunk(input, *current, *other);
    rendering.finish(workers[0]);
    std::swap(current, other);
  }
  writer.write(*other);
  flush_output(out);
  meter.clear();
  if (input.bad()) throw InputError(read_error_message("the event log"));
  summary.elapsed = std::chrono::steady_clock::now() - start;
  return summary;
}

namespace {

// "  COUNT  REASON" lines, the most frequent reason first.
std::string by_reason(const char* heading, std::vector<std::pair<std::string_view, std::uint64_t>> counts) {
  std::erase_if(counts, [](const auto& entry) { return entry.second == 0; });
  if (counts.empty()) return {};
  std::stable_sort(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  std::string text = heading;
  for (const auto& [reason, count] : counts) text += "  " + std::to_string(count) + "  " + std::string(reason) + "\n";
  return text;
}

}  // namespace

std::string format_summary(const BatchSummary& summary) {
  std::string text = "events: " + std::to_string(summary.events) + " (" + std::to_string(summary.failed) +
                     " failed), malformed lines: " + std::to_string(summary.malformed) + "\n";
  text += by_reason("failures by reason:\n", {summary.failures.begin(), summary.failures.end()});
  std::vector<std::pair<std::string_view, std::uint64_t>> malformed;
  for (std::size_t i = 0; i < malformed_reason_count; ++i)
    malformed.emplace_back(describe(static_cast<MalformedReason>(i)), summary.malformed_by_reason[i]);
  text += by_reason("malformed lines by reason:\n", std::move(malformed));
  double seconds = summary.elapsed.count();
  double rate = seconds > 0 ? static_cast<double>(summary.events) / seconds : 0;
  char line[64];
  std::snprintf(line, sizeof line, "events per second: %.0f\n", rate);
  text += line;
  return text;
}

}  // namespace host
