#include "batch_runner.hpp"

#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "batch_record.hpp"
#include "event_table.hpp"
#include "exit_status.hpp"
#include "hresult_text.hpp"
#include "progress_meter.hpp"

namespace host {

namespace {

constexpr std::size_t chunk_lines = 4096;

struct LineOutcome {
  enum class Kind { blank, event, malformed } kind = Kind::blank;
  std::string output;  // the record, or what is wrong with the line
  HRESULT hr = S_OK;
};

bool is_blank(std::string_view line) noexcept {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

void process_line(const std::string& line, std::size_t line_number, const EventTable& events,
                  EventRenderer& renderer, LineOutcome& outcome) {
  outcome.output.clear();
  if (is_blank(line)) {
    outcome.kind = LineOutcome::Kind::blank;
    return;
  }
  try {
    BatchEvent event = parse_batch_event(line, events);
    Rendering text = renderer.text(*event.row->record, event.payload);
    Rendering xml = renderer.xml(*event.row->record, event.payload);
    append_batch_record(outcome.output, line_number, *event.row, text, xml);
    outcome.hr = deciding_rendering(text, xml).hr;
    outcome.kind = LineOutcome::Kind::event;
  } catch (const InputError& e) {
    outcome.kind = LineOutcome::Kind::malformed;
    outcome.output = e.what();
  }
}

}  // namespace

BatchRunner::BatchRunner(const PluginLibrary& plugin, const EventTable& events, unsigned jobs,
                         BufferPolicy buffers)
    : plugin_(plugin), events_(events), jobs_(jobs == 0 ? 1 : jobs), buffers_(buffers) {}

BatchSummary BatchRunner::run(std::istream& input, std::FILE* out, std::FILE* errors, ProgressMeter& meter) {
  auto start = std::chrono::steady_clock::now();
  BatchSummary summary;

  // Renderers keep their buffers from chunk to chunk; worker w always uses renderer w.
  std::vector<EventRenderer> renderers;
  renderers.reserve(jobs_);
  for (unsigned w = 0; w < jobs_; ++w) renderers.emplace_back(plugin_, buffers_);

  std::vector<std::string> lines(chunk_lines);
  std::vector<LineOutcome> outcomes(chunk_lines);
  std::size_t lines_before = 0;
  std::uint64_t bytes_read = 0;
  std::string written;

  for (;;) {
    std::size_t count = 0;
    while (count < chunk_lines && std::getline(input, lines[count])) {
      bytes_read += lines[count].size() + 1;
      if (!lines[count].empty() && lines[count].back() == '\r') lines[count].pop_back();
      ++count;
    }
    if (count == 0) break;

    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failure_lock;
    auto work = [&](EventRenderer& renderer) {
      try {
        for (std::size_t i; (i = next.fetch_add(1)) < count;)
          process_line(lines[i], lines_before + i + 1, events_, renderer, outcomes[i]);
      } catch (...) {
        std::lock_guard lock(failure_lock);
        if (!failure) failure = std::current_exception();
        next = count;
      }
    };
    {
      std::vector<std::jthread> helpers;
      for (unsigned w = 1; w < jobs_ && w < count; ++w) helpers.emplace_back(work, std::ref(renderers[w]));
      work(renderers[0]);
    }
    if (failure) std::rethrow_exception(failure);

    written.clear();
    for (std::size_t i = 0; i < count; ++i) {
      LineOutcome& outcome = outcomes[i];
      switch (outcome.kind) {
        case LineOutcome::Kind::blank: break;
        case LineOutcome::Kind::event:
          ++summary.events;
          if (FAILED(outcome.hr)) {
            ++summary.failed;
            ++summary.failures[outcome.hr];
          }
          written += outcome.output;
          written += '\n';
          break;
        case LineOutcome::Kind::malformed:
          ++summary.malformed;
          std::fwrite(written.data(), 1, written.size(), out);
          written.clear();
          std::fflush(out);
          meter.clear();
          std::fprintf(errors, "veduvedad: line %zu: %s; skipped\n", lines_before + i + 1, outcome.output.c_str());
          break;
      }
    }
    std::fwrite(written.data(), 1, written.size(), out);
    lines_before += count;
    meter.update(summary.events, bytes_read);
  }
  std::fflush(out);
  meter.clear();
  if (input.bad()) throw InputError("cannot read the event log");
  summary.elapsed = std::chrono::steady_clock::now() - start;
  return summary;
}

std::string format_summary(const BatchSummary& summary) {
  std::string text = "events: " + std::to_string(summary.events) + " (" + std::to_string(summary.failed) +
                     " failed, " + std::to_string(summary.malformed) + " malformed lines skipped)\n";
  if (!summary.failures.empty()) {
    text += "failures by HRESULT:\n";
    for (const auto& [hr, count] : summary.failures)
      text += "  " + describe_hresult(hr) + ": " + std::to_string(count) + "\n";
  }
  double seconds = summary.elapsed.count();
  double rate = seconds > 0 ? static_cast<double>(summary.events) / seconds : 0;
  char line[64];
  std::snprintf(line, sizeof line, "events per second: %.0f\n", rate);
  text += line;
  return text;
}

}  // namespace host
