// veduvedad samples: renders the built-in sample payloads of every row as coloured text and XML.
#include "cli.hpp"
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "command_context.hpp"
#include "commands.hpp"
#include "payload_input.hpp"
#include "rendering_printer.hpp"
#include "samples.hpp"

namespace host {

namespace {

struct SamplesOptions {
  std::string event;  // empty: every row
  ColourMode colour = ColourMode::automatic;
};

// The rows whose samples are shown: all, or those an EVENT argument names (every row that
// shares the GUID or name, since showing them all is no ambiguity).
std::vector<bool> selected_rows(const EventTable& events, const std::string& event) {
  std::vector<bool> selected(events.rows().size(), event.empty());
  if (event.empty()) return selected;
  std::vector<const EventRow*> found = events.find(event);
  if (found.empty()) throw InputError("no event matches '" + event + "' (try: veduvedad list)");
  for (const EventRow* row : found) selected[row->row] = true;
  return selected;
}

void run(const SamplesOptions& options, CommandContext& context) {
  const EventTable& events = context.events();
  std::vector<bool> selected = selected_rows(events, options.event);
  EventRenderer renderer(context.plugin(), BufferPolicy::growing());
  RenderingPrinter printer(stdout, stderr, colour_enabled(options.colour, STDOUT_FILENO));

  bool all_rendered = true;
  bool first = true;
  for (const Sample& sample : make_samples()) {
    const EventRow* row = events.row(sample.row);
    if (row == nullptr) throw InputError("the plug-in has no row " + std::to_string(sample.row));
    if (!selected[sample.row]) continue;

    std::string heading = (first ? "" : "\n") + std::string("== ") + std::to_string(row->row) + " " +
                          row->name + ": " + sample.title + "\npayload " + format_hex(sample.payload) + "\n";
    std::fwrite(heading.data(), 1, heading.size(), stdout);
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
  command->callback([options, &context] { run(*options, context); });
}

}  // namespace host
