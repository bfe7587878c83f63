#include "help_formatter.hpp"

#include <vector>

namespace host {

namespace {

constexpr const char* exit_statuses =
    "Exit status: 0 when everything rendered, 1 when some event failed to render, 2 for usage or "
    "input errors (including a plug-in that cannot be loaded).";

}  // namespace

std::string HelpFormatter::make_footer(const CLI::App* app) const {
  const std::string& own = app->get_footer();
  return (own.empty() ? "" : own + "\n\n") + exit_statuses + "\n";
}

// In the help of all commands, each command is a paragraph of its own: a heading line and
// indented lines below it, which is also the layout that makes a subsection of a manual page.
std::string HelpFormatter::make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const {
  if (mode != CLI::AppFormatMode::All) return CLI::Formatter::make_subcommands(app, mode);
  std::string text = "\nCommands:\n";
  for (const CLI::App* command : app->get_subcommands({})) text += "\n" + make_expanded(command);
  return text;
}

std::string HelpFormatter::make_expanded(const CLI::App* command) const {
  std::string text = make_usage(command, command->get_parent()->get_name() + " " + command->get_name());
  text.erase(0, text.find(' ') + 1);  // "Usage: "
  text.insert(text.size() - 1, ":");
  text += "  " + command->get_description() + "\n\n";
  std::vector<const CLI::Option*> options = command->get_options([command](const CLI::Option* option) {
    return option != command->get_help_ptr() && option != command->get_help_all_ptr();
  });
  for (const CLI::Option* option : options) text += make_option(option, option->get_positional());
  if (!command->get_footer().empty()) {
    std::string footer = command->get_footer();
    for (std::size_t at = 0; (at = footer.find('\n', at)) != std::string::npos; at += 3) footer.insert(at + 1, "  ");
    text += "  " + footer + "\n";
  }
  return text;
}

}  // namespace host
