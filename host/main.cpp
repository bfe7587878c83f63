// veduvedad: renders events of the switching service through the event-UI plug-in, loading and
// calling it as an event viewer does.
#include "cli.hpp"

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#endif

#include "command_context.hpp"
#include "command_line_errors.hpp"
#include "commands.hpp"
#include "help_formatter.hpp"
#include "plugin_search.hpp"
#include "standard_output.hpp"
#include "version_text.hpp"

namespace {

#ifdef _WIN32
// The process joins the multithreaded apartment, as an event viewer's would be, so that the
// plug-in can parse the device monikers of payloads on any thread; and the output keeps its
// line ends, so that it is the same bytes on every platform.
struct WindowsProcess {
  WindowsProcess() noexcept {
    _setmode(_fileno(stdout), _O_BINARY);
    initialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  }
  ~WindowsProcess() {
    if (initialised) CoUninitialize();
  }
  WindowsProcess(const WindowsProcess&) = delete;
  WindowsProcess& operator=(const WindowsProcess&) = delete;
  bool initialised = false;
};
#endif

constexpr host::CommandRegistration commands[] = {
    host::add_list_command,
    host::add_render_command,
    host::add_explain_command,
    host::add_samples_command,
    host::add_batch_command,
    host::add_interfaces_command,
    host::add_registration_commands,
};

int report(const char* message) {
  std::fprintf(stderr, "veduvedad: %s\n", message);
  return static_cast<int>(host::ExitStatus::usage_error);
}

// Parses the command line and runs the command it names; the run's exit status.
int parse_and_run(CLI::App& app, host::CommandContext& context, int argc, char** argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForVersion& e) {
    // Written here rather than by app.exit, whose flush would lose the reason of a failed write.
    host::write_all(stdout, std::string(e.what()) + "\n");
    return 0;
  } catch (const CLI::ParseError& e) {
    // Help is a success; every other parse error is a usage error.
    return app.exit(e) == 0 ? 0 : static_cast<int>(host::ExitStatus::usage_error);
  }
  return static_cast<int>(context.status);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  const WindowsProcess process;
#endif
  CLI::App app{"Renders events of the switching service with the Veduvedad.er event-UI plug-in, "
               "loading and calling it as an event viewer does.",
               "veduvedad"};
  auto formatter = std::make_shared<host::HelpFormatter>();
  formatter->column_width(34);
  formatter->label("SUBCOMMAND", "COMMAND");
  app.formatter(formatter);  // before the commands, which inherit it
  app.require_subcommand(1);
  // Options of the application, such as --plugin, may also follow the subcommand.
  app.fallthrough();
  app.failure_message(host::parse_failure_message);

  host::CommandContext context;
  app.add_option("--plugin", context.plugin_path,
                 "The plug-in library to load. Without it: " + host::plugin_search_order())
      ->type_name("PATH");
  app.set_version_flag("--version", [&context] { return host::version_text(context); },
                       "Show the version, the plug-in it loads and the build, and exit");
  for (host::CommandRegistration add : commands) add(app, context);
  host::add_help_command(app);
  for (CLI::App* command : app.get_subcommands({})) command->group("Commands");
  // Last, so that the commands do not inherit it.
  app.set_help_all_flag("--help-all", "Show the help of every command and exit");

  try {
    int status = parse_and_run(app, context, argc, argv);
    host::close_standard_output();
    return status;
  } catch (const host::WriteError& e) {
    // A reader that went away is told nothing, as when the signal of a closed pipe ends the run.
    if (e.broken_pipe()) return static_cast<int>(context.status);
    return report(e.what());
  } catch (const std::exception& e) {  // InputError, or a resource running out
    // The output so far first, so that a terminal shows both in the order they belong.
    std::fflush(stdout);
    return report(e.what());
  }
}
