#include "payload_options.hpp"

#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "cli.hpp"
#include "exit_status.hpp"
#include "payload_input.hpp"

namespace host {

namespace {

std::vector<std::uint8_t> read_hex_from_standard_input() {
  std::vector<std::uint8_t> text = read_payload_file("-");
  return parse_hex(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

}  // namespace

void add_payload_options(CLI::App& command, PayloadOptions& options) {
  command
      .add_option("EVENT", options.event,
                  "A row number, an event-type GUID or a display name; a GUID or name that "
                  "several rows share needs the row number")
      ->required();
  options.hex_option =
      command.add_option("--hex", options.hex, "The payload in hexadecimal ('-': read from standard input)")
          ->type_name("HEX");
  options.file_option =
      command.add_option("--file", options.file, "A file holding the payload's raw bytes ('-': standard input)")
          ->type_name("PATH");
  options.hex_option->excludes(options.file_option);
  command.footer(
      "Without --hex or --file the payload's raw bytes are read from standard input; hexadecimal "
      "text there needs --hex -.");
}

std::vector<std::uint8_t> read_payload(const PayloadOptions& options) {
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

}  // namespace host
