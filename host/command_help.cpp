// veduvedad help [COMMAND]: the help of the application or of one command, as --help shows it.
#include <cstdio>
#include <memory>
#include <string>

#include "cli.hpp"
#include "command_line_errors.hpp"
#include "commands.hpp"
#include "exit_status.hpp"
#include "standard_output.hpp"

namespace host {

void add_help_command(CLI::App& app) {
  auto name = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("help", "Show the help of veduvedad or of one COMMAND");
  command->add_option("COMMAND", *name, "The command whose help to show");
  command->callback([&app, name] {
    if (name->empty()) {
      // app.help() would show the help of the selected command: this one.
      write_all(stdout, app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal));
      return;
    }
    for (const CLI::App* known : app.get_subcommands({}))
      if (known->get_name() == *name) {
        write_all(stdout, known->help(app.get_name()));
        return;
      }
    throw InputError(unknown_command_message(app, *name));
  });
}

}  // namespace host
