// veduvedad batch [FILE|-]: renders an event log of JSON Lines into JSON Lines.
#include "cli.hpp"
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "batch_runner.hpp"
#include "command_context.hpp"
#include "commands.hpp"
#include "log_input.hpp"
#include "progress_meter.hpp"

namespace host {

namespace {

struct BatchOptions {
  std::string log = "-";
  unsigned jobs = 0;  // one per core
  std::uint64_t max_errors = 20;
  std::uint32_t buffer_units = 0;
};

#ifdef _WIN32
constexpr const char* end_of_input_key = "Ctrl-Z and Enter";
#else
constexpr const char* end_of_input_key = "Ctrl-D";
#endif

// A regular file's size lets the progress bar show how far it got.
std::optional<std::uint64_t> size_of(const std::string& path) {
  std::error_code error;
  if (path == "-" || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return size;
}

void run(const BatchOptions& options, CommandContext& context) {
  auto input = std::make_unique<LogInput>(options.log);

  const unsigned jobs = options.jobs != 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  BatchRunner runner(context.plugin(), context.events(), jobs, buffer_policy(options.buffer_units));
  if (options.log == "-" && isatty(STDIN_FILENO) == 1)
    std::fprintf(stderr, "veduvedad: reading the event log from the terminal, one JSON line per event; %s ends it\n",
                 end_of_input_key);
  ProgressMeter meter(stderr, isatty(STDERR_FILENO) == 1, size_of(options.log));
  BatchSummary summary = runner.run(std::move(input), stdout, stderr, options.max_errors, meter);

  std::string text = format_summary(summary);
  std::fwrite(text.data(), 1, text.size(), stderr);
  if (summary.malformed > 0) {
    context.status = worst(context.status, ExitStatus::usage_error);
  } else if (summary.failed > 0) {
    context.status = worst(context.status, ExitStatus::some_failed);
  }
}

}  // namespace

void add_batch_command(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<BatchOptions>();
  CLI::App* command = app.add_subcommand(
      "batch", "Render an event log of JSON Lines, writing one JSON line per event in input order");
  command->add_option("FILE", options->log, "The event log ('-' or nothing: standard input)");
  command->add_option("--jobs", options->jobs, "Rendering threads (default and 0: one per core)")
      ->check(CLI::Range(0u, 1024u));
  command->add_option("--max-errors", options->max_errors,
                      "Report at most N malformed lines on standard error; the summary counts them all")
      ->capture_default_str()
      ->type_name("N");
  add_buffer_option(*command, options->buffer_units);
  command->footer(
      "Input lines: {\"type\": EVENT, \"payload\": \"HEX\", \"row\": N}. EVENT is a row number, an "
      "event-type GUID or a display name, as for render; \"row\" is needed only where EVENT names "
      "several rows, and must be one of them. Blank lines are passed over.\n"
      "Output lines, one for each other input line, in input order: {\"line\", \"row\", \"name\", \"hr\", "
      "\"text\", \"colour\", \"xml\", \"error\", \"failed\"}; \"hr\" and \"error\" belong to the first "
      "failing part, text before XML, which \"failed\" names (\"text\" or \"xml\", else null); "
      "\"colour\" is \"#RRGGBB\" or null. A malformed line gets {\"line\", \"malformed\": REASON} and is "
      "reported on standard error. A summary follows there at the end; the exit status is 2 when a "
      "line was malformed, else 1 when an event failed.");
  command->callback([options, &context] { run(*options, context); });
}

}  // namespace host
