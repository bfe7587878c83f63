#include "batch_runner.hpp"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "batch_chunk.hpp"
#include "batch_chunk_renderer.hpp"
#include "chunk_ring.hpp"
#include "log_input.hpp"
#include "progress_meter.hpp"
#include "standard_output.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace host {

namespace {

using Clock = std::chrono::steady_clock;

// What a chunk holds when the log comes faster than it is rendered: some 700 lines of a typical
// log, so that handing chunks between threads costs next to nothing, and the rendering threads
// are fed in small enough steps to even out at the end.
constexpr std::size_t chunk_bytes = 128 * 1024;
// Buffers that an exceptional line made larger than this give their memory back once done with.
constexpr std::size_t kept_line_bytes = 4 * chunk_bytes;
constexpr std::size_t kept_record_bytes = 16 * chunk_bytes;

// When the log pauses, the lines that came are rendered once no more bytes come for a moment, or
// once the first of them has waited for a while: so each record follows its line within a tenth
// of a second, and a source that writes in small pieces still fills chunks of many lines.
constexpr std::chrono::milliseconds pause(5);
constexpr std::chrono::milliseconds longest_wait(50);

// Chunks in flight: one being read and one written, and two for each rendering thread, so that a
// slow chunk does not hold up the others; not more, so that memory stays small with many threads.
std::size_t ring_size(unsigned jobs) noexcept { return std::min<std::size_t>(2 * std::size_t{jobs} + 2, 64); }

// The log and the chunks, which the reading thread shares: its read of a pipe can outlast a run
// that a failed write ended.
struct ReadingState {
  ReadingState(std::unique_ptr<LogInput> log, std::size_t chunks) : input(std::move(log)), ring(chunks) {}
  std::unique_ptr<LogInput> input;
  ChunkRing ring;
};

// The line feeds in [at, end). The reader passes over every byte of the log here, most of its
// own work, so sixteen bytes go at a time, counted in byte lanes that are summed every 255 blocks.
std::size_t count_line_feeds(const char* at, const char* end) noexcept {
  std::size_t count = 0;
#if defined(__SSE2__)
  const __m128i feed = _mm_set1_epi8('\n');
  while (end - at >= 16) {
    __m128i lanes = _mm_setzero_si128();
    for (int block = 0; block < 255 && end - at >= 16; ++block, at += 16)
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), feed));
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    count += static_cast<std::size_t>(_mm_extract_epi16(sums, 0)) + static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  return count + static_cast<std::size_t>(std::count(at, end, '\n'));
}

// Counts the line feeds of [from, lines' end) into count, and sets whole_end past the last of them.
void count_lines(const ByteBuffer& lines, std::size_t from, std::size_t& count, std::size_t& whole_end) noexcept {
  const std::string_view fresh = lines.view().substr(from);
  count += count_line_feeds(fresh.data(), fresh.data() + fresh.size());
  if (std::size_t last = fresh.rfind('\n'); last != std::string_view::npos) whole_end = from + last + 1;
}

// Reads the log into chunks of whole lines: full chunks while the log comes faster than it is
// rendered, and the lines there are when it pauses.
void read_log(LogInput& input, ChunkRing& ring) {
  ByteBuffer carried;  // the start of the line that follows the last chunk
  std::size_t next_line = 1;
  std::uint64_t bytes_read = 0;
  for (bool at_end = false; !at_end;) {
    Chunk* chunk = ring.chunk_to_fill();
    if (chunk == nullptr) return;
    ByteBuffer& lines = chunk->lines;
    lines.reset(kept_line_bytes);
    lines.append(carried.view());
    carried.reset(kept_line_bytes);
    std::size_t count = 0;
    std::size_t whole_end = 0;  // past the last whole line
    std::optional<Clock::time_point> first_whole;
    for (;;) {
      // A chunk's worth; for a line longer than that, as much again as it has so far.
      const std::size_t room = lines.size() < chunk_bytes ? chunk_bytes - lines.size() : lines.size();
      char* at = lines.reserve(room + line_padding);
      const std::size_t received = input.read_some({at, room});
      if (received == 0) {
        at_end = true;
        break;
      }
      const std::size_t scanned = lines.size();
      lines.commit(at + received);
      count_lines(lines, scanned, count, whole_end);
      if (whole_end == 0) continue;
      if (lines.size() >= chunk_bytes) break;
      if (received == room) continue;  // more is there at once
      const Clock::time_point now = Clock::now();
      if (!first_whole) first_whole = now;
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*first_whole + longest_wait - now);
      if (left.count() <= 0 || !input.wait_for_input(std::min(pause, left))) break;
    }
    if (at_end && lines.size() > whole_end) {  // the last line, without its line feed
      ++count;
      whole_end = lines.size();
    }
    if (whole_end == 0) return;
    carried.append(lines.view().substr(whole_end));
    lines.truncate(whole_end);
    chunk->first_line = next_line;
    next_line += count;
    bytes_read += whole_end;
    chunk->bytes_read = bytes_read;
    ring.filled();
  }
}

void render_chunks(ChunkRing& ring, ChunkRenderer& renderer) {
  while (Chunk* chunk = ring.chunk_to_render()) {
    try {
      chunk->failure = nullptr;
      renderer.render(*chunk);
    } catch (...) {
      chunk->failure = std::current_exception();
    }
    ring.rendered(*chunk);
  }
}

// The reading and rendering threads of a run. Ending, also when one of them could not start, it
// stops them and waits for the renderers; a reader still waiting for its input is left to end
// with the process.
class BatchThreads {
 public:
  BatchThreads(const std::shared_ptr<ReadingState>& state, std::span<const std::unique_ptr<ChunkRenderer>> renderers)
      : ring_(state->ring) {
    try {
      reader_ = std::thread([state] {
        try {
          read_log(*state->input, state->ring);
          state->ring.end_input(nullptr);
        } catch (...) {
          state->ring.end_input(std::current_exception());
        }
      });
      for (const auto& renderer : renderers)
        renderers_.emplace_back([this, &renderer = *renderer] { render_chunks(ring_, renderer); });
    } catch (...) {
      stop();
      throw;
    }
  }

  ~BatchThreads() { stop(); }

  BatchThreads(const BatchThreads&) = delete;
  BatchThreads& operator=(const BatchThreads&) = delete;

 private:
  void stop() {
    ring_.stop();
    renderers_.clear();  // joins them
    if (!reader_.joinable()) return;
    if (ring_.input_ended()) {
      reader_.join();
    } else {
      reader_.detach();
    }
  }

  ChunkRing& ring_;
  std::thread reader_;
  std::vector<std::jthread> renderers_;
};

// Writes rendered chunks in order and counts their lines. A malformed line's report comes after
// the records of the lines before it. Each chunk is flushed, so that the records of a live log
// show as they are rendered.
class ChunkWriter {
 public:
  ChunkWriter(std::FILE* out, std::FILE* errors, std::uint64_t max_reported, ProgressMeter& meter,
              BatchSummary& summary)
      : out_(out), errors_(errors), max_reported_(max_reported), meter_(meter), summary_(summary) {}

  void write(const Chunk& chunk) {
    std::size_t written = 0;  // of the chunk's records
    for (const LineNote& note : chunk.notes) {
      if (!note.malformed) {
        ++summary_.failed;
        ++summary_.failures[note.problem];
        continue;
      }
      ++summary_.malformed;
      ++summary_.malformed_by_reason[static_cast<std::size_t>(note.reason)];
      if (summary_.malformed > max_reported_ + 1) continue;
      // The records before it first, so that a terminal shows them in order.
      write_all(out_, chunk.records.view().substr(written, note.record_start - written));
      written = note.record_start;
      report(note);
    }
    write_all(out_, chunk.records.view().substr(written));
    flush_output(out_);
    summary_.events += chunk.events;
    meter_.update(summary_.events, chunk.bytes_read);
  }

 private:
  void report(const LineNote& note) {
    flush_output(out_);
    meter_.clear();
    if (summary_.malformed <= max_reported_) {
      std::fprintf(errors_, "veduvedad: line %zu: %s\n", note.line_number, note.problem.c_str());
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
};

}  // namespace

BatchRunner::BatchRunner(const PluginLibrary& plugin, const EventTable& events, unsigned jobs,
                         BufferPolicy buffers)
    : plugin_(plugin), events_(events), jobs_(jobs == 0 ? 1 : jobs), buffers_(buffers) {}

BatchSummary BatchRunner::run(std::unique_ptr<LogInput> input, std::FILE* out, std::FILE* errors,
                              std::uint64_t max_reported, ProgressMeter& meter) {
  const Clock::time_point start = Clock::now();
  BatchSummary summary;
  std::vector<std::unique_ptr<ChunkRenderer>> renderers;
  for (unsigned w = 0; w < jobs_; ++w) renderers.push_back(std::make_unique<ChunkRenderer>(plugin_, events_, buffers_));
  auto state = std::make_shared<ReadingState>(std::move(input), ring_size(jobs_));
  ChunkRing& ring = state->ring;
  {
    BatchThreads threads(state, renderers);
    ChunkWriter writer(out, errors, max_reported, meter, summary);
    while (Chunk* chunk = ring.chunk_to_write()) {
      if (chunk->failure) std::rethrow_exception(chunk->failure);
      writer.write(*chunk);
      chunk->records.reset(kept_record_bytes);
      ring.written();
    }
  }
  meter.clear();
  if (std::exception_ptr failure = ring.input_failure()) std::rethrow_exception(failure);
  summary.elapsed = Clock::now() - start;
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
