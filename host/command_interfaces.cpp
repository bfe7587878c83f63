// veduvedad interfaces: the switching interfaces whose proxies and stubs the plug-in provides,
// as MIDL definitions.
#include <iostream>

#include "cli.hpp"
#include "command_context.hpp"
#include "commands.hpp"
#include "interface_idl.hpp"

namespace host {

void add_interfaces_command(CLI::App& app, CommandContext&) {
  CLI::App* command = app.add_subcommand(
      "interfaces", "Write the marshalled switching interfaces as MIDL interface definitions");
  describe_exit_statuses(*command);
  command->callback([] { write_interface_idl(std::cout); });
}

}  // namespace host
