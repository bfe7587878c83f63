// veduvedad samples: renders the built-in sample payloads of every row as coloured text and XML.
#include "cli.hpp"
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "batch_input_line.hpp"
#include "command_context.hpp"
#include "commands.hpp"
#include "payload_input.hpp"
#include "rendering_printer.hpp"
#include "samples.hpp"
#include "standard_output.hpp"

namespace host {

namespace {

struct SamplesOptions {
  std::string event;  // empty: every row
  ColourMode colour = ColourMode::automatic;
  bool jsonl = false;
};

// The rows whose samples are shown: all, or those an EVENT argument names (every row that
// shares the GUID or name, since showing them all is no ambiguity).
std::vector<bool> selected_rows(const EventTable& events, const std::string& event) {
  std::vector<bool> selected(events.rows().size(), event.empty());
  if (event.empty()) return selected;
  std::vector<const EventRow*> found = events.find(event);
  if (found.empty()) throw InputError(no_event_message(events, event));
  for (const EventRow* row : found) selected[row->row] = true;
  return selected;
}

// The selected samples with their rows, in row order.
std::vector<std::pair<const EventRow*, Sample>> selected_samples(const EventTable& events, const std::string& event) {
  std::vector<bool> selected = selected_rows(events, event);
  std::vector<std::pair<const EventRow*, Sample>> samples;
  for (Sample& sample : make_samples()) {
    const EventRow* row = events.row(sample.row);
    if (row == nullptr) throw InputError("the plug-in has no row " + std::to_string(sample.row));
    if (selected[sample.row]) samples.emplace_back(row, std::move(sample));
  }
  return samples;
}

void write_batch_input(const SamplesOptions& options, CommandContext& context) {
  std::string lines;
  for (const auto& [row, sample] : selected_samples(context.events(), options.event))
    lines += batch_input_line(row->record->guidType, row->row, sample.payload);
  write_all(stdout, lines);
}

void render(const SamplesOptions& options, CommandContext& context) {
  EventRenderer renderer(context.plugin(), BufferPolicy::growing());
  RenderingPrinter printer(stdout, stderr, colour_depth(options.colour, STDOUT_FILENO));
  bool all_rendered = true;
  bool first = true;
  for (const auto& [row, sample] : selected_samples(context.events(), options.event)) {
    write_all(stdout, (first ? "" : "\n") + std::string("== ") + std::to_string(row->row) + " " + row->name + ": " +
                          sample.title + "\npayload " + format_hex(sample.payload) + "\n");
    first = false;
    all_rendered &= printer.print_text(*row, renderer.text(*row->record, sample.payload));
    all_rendered &= printer.print_xml(*row, renderer.xml(*row->record, sample.payload));
  }
  if (!all_rendered) context.status = worst(context.status, ExitStatus::some_failed);
}

}  // namespace

void add_samples_command(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<SamplesOptions>();
  CLI::App* command = app.add_subcommand(
      "samples", "Render built-in sample payloads of every row as coloured text and XML");
  command->add_option("EVENT", options->event,
                      "Only the samples of this row number, event-type GUID or display name");
  add_colour_option(*command, options->colour);
  command->add_flag("--jsonl", options->jsonl,
                    "Write the samples as batch input, one JSON line each, instead of rendering them");
  command->callback([options, &context] {
    if (options->jsonl)
      write_batch_input(*options, context);
    else
      render(*options, context);
  });
}

}  // namespace host
