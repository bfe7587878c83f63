// veduvedad: renders events of the switching service through the event-UI plug-in, loading and
// calling it as an event viewer does.
#include "cli.hpp"

#include <cstdio>
#include <exception>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#endif

#include "command_context.hpp"
#include "commands.hpp"

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
    host::add_samples_command,
    host::add_batch_command,
    host::add_interfaces_command,
    host::add_registration_commands,
};

int report(const char* message) {
  std::fflush(stdout);
  std::fprintf(stderr, "veduvedad: %s\n", message);
  return static_cast<int>(host::ExitStatus::usage_error);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  const WindowsProcess process;
#endif
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
