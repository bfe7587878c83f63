// veduvedad explain EVENT: which bytes of one payload made which field.
#include "cli.hpp"
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "command_context.hpp"
#include "commands.hpp"
#include "explanation_forms.hpp"
#include "linked_renderers.hpp"
#include "payload_explanation.hpp"
#include "payload_options.hpp"
#include "standard_output.hpp"

namespace host {

namespace {

struct ExplainOptions {
  PayloadOptions payload;
  bool hexdump = false;
  bool json = false;
  ColourMode colour = ColourMode::automatic;
};

void run(const ExplainOptions& options, CommandContext& context) {
  const LinkedRenderers renderers;
  const EventRow& row = resolve_event(renderers.events(), options.payload.event);
  const Explanation explanation = explain_payload(renderers, row, read_payload(options.payload));
  if (options.json)
    write_all(stdout, explanation_json(row, explanation));
  else if (options.hexdump)
    write_all(stdout, explanation_hexdump(row, explanation, colour_depth(options.colour, STDOUT_FILENO)));
  else
    write_all(stdout, explanation_table(row, explanation));
  if (explanation.failure) context.status = worst(context.status, ExitStatus::some_failed);
}

}  // namespace

void add_explain_command(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<ExplainOptions>();
  CLI::App* command = app.add_subcommand(
      "explain", "Show which bytes of one event payload made which field of its XML");
  add_payload_options(*command, options->payload);
  auto* json = command->add_flag("--json", options->json, "Write the spans as one JSON document");
  command->add_flag("--hexdump", options->hexdump,
                    "Show the payload as a hex dump, 16 bytes a row, each field's bytes in its "
                    "colour, with the fields listed below")
      ->excludes(json);
  add_colour_option(*command, options->colour, "each field's bytes in the hex dump in a colour of its own");
  command->footer(
      "Each span of the payload, in payload order: its offset and length, what read it (byte, "
      "16/32/64-bit integer, count, text length, text units, moniker, ...), the XML elements it "
      "belongs to, and the text a value was rendered as, or the role of bytes that steer the "
      "layout (counts, change masks, flags, tags). Bytes after the last one read are shown as not "
      "read by this event type; a failed rendering shows where it stopped and ends with exit "
      "status 1. The renderers are those linked into veduvedad, the same code as the plug-in's, "
      "built to report their reads: the plug-in is not loaded. Without --hex or --file the "
      "payload's raw bytes are read from standard input; hexadecimal text there needs --hex -.");
  command->callback([options, &context] { run(*options, context); });
}

}  // namespace host
