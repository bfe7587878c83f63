// veduvedad render EVENT: renders one payload with one row's entries.
#include "cli.hpp"
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "command_context.hpp"
#include "commands.hpp"
#include "payload_input.hpp"
#include "rendering_printer.hpp"

namespace host {

namespace {

struct RenderOptions {
  std::string event;
  std::string hex;
  std::string file;
  CLI::Option* hex_option = nullptr;
  CLI::Option* file_option = nullptr;
  bool text = false;
  bool xml = false;
  ColourMode colour = ColourMode::automatic;
  std::uint32_t buffer_units = 0;
};

std::vector<std::uint8_t> read_hex_from_standard_input() {
  std::vector<std::uint8_t> text = read_payload_file("-");
  return parse_hex(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

std::vector<std::uint8_t> read_payload(const RenderOptions& options) {
  if (options.hex_option->count() > 0)
    return options.hex == "-" ? read_hex_from_standard_input() : parse_hex(options.hex);
  if (options.file_option->count() > 0 && options.file != "-") return read_payload_file(options.file);
  if (options.file_option->count() == 0 && isatty(STDIN_FILENO) == 1)
    throw InputError("no payload: give --hex HEX, --hex - or --file PATH, or pipe the payload's raw bytes in");
  std::vector<std::uint8_t> bytes = read_payload_file("-");
  if (looks_like_hex(bytes))
    std::fputs("veduvedad: standard input looks like hexadecimal text but was read as raw bytes; "
               "to read it as hexadecimal, give --hex -\n",
               stderr);
  return bytes;
}

void run(const RenderOptions& options, CommandContext& context) {
  const EventRow& row = resolve_event(context.events(), options.event);
  std::vector<std::uint8_t> payload = read_payload(options);

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
  command
      ->add_option("EVENT", options->event,
                   "A row number, an event-type GUID or a display name; a GUID or name that "
                   "several rows share needs the row number")
      ->required();
  options->hex_option =
      command->add_option("--hex", options->hex, "The payload in hexadecimal ('-': read from standard input)")
          ->type_name("HEX");
  options->file_option =
      command->add_option("--file", options->file, "A file holding the payload's raw bytes ('-': standard input)")
          ->type_name("PATH");
  options->hex_option->excludes(options->file_option);
  command->add_flag("--text", options->text, "Render the sentence (with --xml: both, the default)");
  command->add_flag("--xml", options->xml, "Render the XML (with --text: both, the default)");
  add_colour_option(*command, options->colour);
  add_buffer_option(*command, options->buffer_units);
  command->footer(
      "Without --hex or --file the payload's raw bytes are read from standard input; hexadecimal "
      "text there needs --hex -.");
  command->callback([options, &context] { run(*options, context); });
}

}  // namespace host
