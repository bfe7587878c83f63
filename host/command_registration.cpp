// veduvedad register / unregister: run the plug-in's registration exports and show what the
// registry then holds, in the text form of registry export files.
#include <cstdio>
#include <cstring>
#include <sstream>

#include "cli.hpp"
#include "command_context.hpp"
#include "commands.hpp"
#include "hresult_text.hpp"
#include "registry_dump.hpp"
#include "standard_output.hpp"

namespace host {
namespace {

template <class Function>
Function as_function(void* symbol) noexcept {
  Function f;
  static_assert(sizeof f == sizeof symbol);
  std::memcpy(&f, &symbol, sizeof f);
  return f;
}

void run_export(CommandContext& context, const char* name) {
  const PluginLibrary& plugin = context.plugin();
  auto registration = as_function<HRESULT (*)()>(plugin.resolve(name));
  HRESULT hr = registration();
  std::ostringstream out;
  out << name << ": " << describe_hresult(hr) << "\n\n";
  write_registry(out, as_function<RegistryWalk>(plugin.resolve("VedRegistryVisit")));
  write_all(stdout, out.str());
  if (FAILED(hr)) context.status = worst(context.status, ExitStatus::some_failed);
}

void add_export_command(CLI::App& app, CommandContext& context, const char* name,
                        const char* export_name, const char* description) {
  CLI::App* command = app.add_subcommand(name, description);
  command->callback([&context, export_name] { run_export(context, export_name); });
}

}  // namespace

void add_registration_commands(CLI::App& app, CommandContext& context) {
  add_export_command(app, context, "register", "DllRegisterServer",
                     "Register the plug-in's proxy/stub factory and interfaces, then show the registry");
  add_export_command(app, context, "unregister", "DllUnregisterServer",
                     "Unregister the plug-in's proxy/stub factory and interfaces, then show the registry");
}

}  // namespace host
