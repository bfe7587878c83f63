// veduvedad render EVENT: renders one payload with one row's entries.
#include "cli.hpp"
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "command_context.hpp"
#include "commands.hpp"
#include "payload_options.hpp"
#include "rendering_printer.hpp"

namespace host {

namespace {

struct RenderOptions {
  PayloadOptions payload;
  bool text = false;
  bool xml = false;
  ColourMode colour = ColourMode::automatic;
  std::uint32_t buffer_units = 0;
};

void run(const RenderOptions& options, CommandContext& context) {
  const EventRow& row = resolve_event(context.events(), options.payload.event);
  std::vector<std::uint8_t> payload = read_payload(options.payload);

  EventRenderer renderer(context.plugin(), buffer_policy(options.buffer_units));
  RenderingPrinter printer(stdout, stderr, colour_depth(options.colour, STDOUT_FILENO));
  bool both = options.text == options.xml;
  bool rendered = true;
  if (options.text || both) rendered &= printer.print_text(row, renderer.text(*row.record, payload));
  if (options.xml || both) rendered &= printer.print_xml(row, renderer.xml(*row.record, payload));
  if (!rendered) context.status = worst(context.status, ExitStatus::some_failed);
}

}  // namespace

void add_render_command(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* command = app.add_subcommand(
      "render", "Render one event payload as its coloured sentence and its XML");
  add_payload_options(*command, options->payload);
  command->add_flag("--text", options->text, "Render the sentence (with --xml: both, the default)");
  command->add_flag("--xml", options->xml, "Render the XML (with --text: both, the default)");
  add_colour_option(*command, options->colour);
  add_buffer_option(*command, options->buffer_units);
  command->callback([options, &context] { run(*options, context); });
}

}  // namespace host
