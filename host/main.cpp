// veduvedad: renders events of the switching service through the event-UI plug-in, loading and
// calling it as an event viewer does.
#include "cli.hpp"

#include <cstdio>
#include <exception>

#include "command_context.hpp"
#include "commands.hpp"

namespace {

constexpr host::CommandRegistration commands[] = {
    host::add_list_command,
    host::add_render_command,
    host::add_samples_command,
    host::add_batch_command,
};

int report(const char* message) {
  std::fflush(stdout);
  std::fprintf(stderr, "veduvedad: %s\n", message);
  return static_cast<int>(host::ExitStatus::usage_error);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Renders events of the switching service with the Veduvedad.er event-UI plug-in, "
               "loading and calling it as an event viewer does.",
               "veduvedad"};
  app.require_subcommand(1);
  // Options of the application, such as --plugin, may also follow the subcommand.
  app.fallthrough();

  host::CommandContext context;
  app.add_option("--plugin", context.plugin_path,
                 "The plug-in library to load (default: the " VED_PLUGIN_FILE_NAME
                 " beside this program)");
  for (host::CommandRegistration add : commands) add(app, context);

  host::describe_exit_statuses(app);
  for (CLI::App* command : app.get_subcommands({})) host::describe_exit_statuses(*command);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help is a success; every other parse error is a usage error.
    return app.exit(e) == 0 ? 0 : static_cast<int>(host::ExitStatus::usage_error);
  } catch (const std::exception& e) {  // InputError, or a resource running out
    return report(e.what());
  }
  return static_cast<int>(context.status);
}
