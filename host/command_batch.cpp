// veduvedad batch [FILE|-]: renders an event log of JSON Lines into JSON Lines.
#include "cli.hpp"
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "batch_runner.hpp"
#include "command_context.hpp"
#include "commands.hpp"
#include "progress_meter.hpp"

namespace host {

namespace {

struct BatchOptions {
  std::string log = "-";
  unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
  std::uint32_t buffer_units = 0;
};

// A regular file's size lets the progress bar show how far it got.
std::optional<std::uint64_t> size_of(const std::string& path) {
  std::error_code error;
  if (path == "-" || !std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return size;
}

void run(const BatchOptions& options, CommandContext& context) {
  std::ifstream file;
  if (options.log != "-") {
    file.open(options.log, std::ios::binary);
    if (!file) throw InputError("cannot open " + options.log);
  }
  std::istream& input = options.log == "-" ? std::cin : file;

  BatchRunner runner(context.plugin(), context.events(), options.jobs, buffer_policy(options.buffer_units));
  ProgressMeter meter(stderr, isatty(STDERR_FILENO) == 1, size_of(options.log));
  BatchSummary summary = runner.run(input, stdout, stderr, meter);

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
  command->add_option("--jobs", options->jobs, "Rendering threads (default: the machine's cores)")
      ->check(CLI::Range(1u, 1024u));
  add_buffer_option(*command, options->buffer_units);
  command->footer(
      "Input lines: {\"type\": \"{GUID}\", \"payload\": \"HEX\", \"row\": N}, \"row\" optional (without "
      "it the first row with the event type serves); blank lines are passed over.\n"
      "Output lines: {\"line\", \"row\", \"name\", \"hr\", \"text\", \"colour\", \"xml\", \"error\"}; \"hr\" "
      "and \"error\" belong to the first failing rendering (text before XML), \"colour\" is \"#RRGGBB\" "
      "or null. Malformed lines are reported with their line numbers on standard error and skipped; "
      "a summary follows there at the end.");
  command->callback([options, &context] { run(*options, context); });
}

}  // namespace host
