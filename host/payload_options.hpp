// EVENT and the payload's options, as every command that renders one payload takes them:
// --hex HEX, --hex -, --file PATH, or the raw bytes on standard input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace host {

struct PayloadOptions {
  std::string event;
  std::string hex;
  std::string file;
  CLI::Option* hex_option = nullptr;
  CLI::Option* file_option = nullptr;
};

// Adds EVENT, --hex and --file, and the footer that says where the payload comes from without
// them. The options live as long as the command.
void add_payload_options(CLI::App& command, PayloadOptions& options);

// The payload the options name; InputError when it cannot be read, and when a terminal would
// be read for it.
std::vector<std::uint8_t> read_payload(const PayloadOptions& options);

}  // namespace host
