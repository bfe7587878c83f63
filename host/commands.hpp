// The subcommands. Each adds itself to the application and runs from its callback; main lists
// them once, so a new subcommand is one more registration function.
#pragma once

namespace CLI {
class App;
}

namespace host {

class CommandContext;

using CommandRegistration = void (*)(CLI::App& app, CommandContext& context);

void add_list_command(CLI::App& app, CommandContext& context);
void add_render_command(CLI::App& app, CommandContext& context);
void add_explain_command(CLI::App& app, CommandContext& context);
void add_samples_command(CLI::App& app, CommandContext& context);
void add_batch_command(CLI::App& app, CommandContext& context);
void add_interfaces_command(CLI::App& app, CommandContext& context);
// register and unregister.
void add_registration_commands(CLI::App& app, CommandContext& context);
// help [COMMAND]: the help of the application or of one of the commands added before it.
void add_help_command(CLI::App& app);

}  // namespace host
