// veduvedad interfaces: the switching interfaces whose proxies and stubs the plug-in provides,
// as MIDL definitions.
#include <cstdio>
#include <sstream>

#include "cli.hpp"
#include "com/interface_idl.hpp"
#include "command_context.hpp"
#include "commands.hpp"
#include "standard_output.hpp"

namespace host {

void add_interfaces_command(CLI::App& app, CommandContext&) {
  CLI::App* command = app.add_subcommand(
      "interfaces", "Write the marshalled switching interfaces as MIDL interface definitions");
  command->callback([] {
    std::ostringstream idl;
    com::marshal::write_interface_idl(idl);
    write_all(stdout, idl.str());
  });
}

}  // namespace host
