#include "command_line_errors.hpp"

#include <vector>

#include "cli.hpp"
#include "nearest_words.hpp"

namespace host {

namespace {

std::vector<std::string> command_names(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* command : app.get_subcommands({})) names.push_back(command->get_name());
  return names;
}

std::string see_help(const CLI::App& app, const CLI::App* command) {
  return " (see: " + app.get_name() + " help" + (command != nullptr ? " " + command->get_name() : "") + ")";
}

// The options a command takes, the main command's included as they may follow it.
std::vector<std::string> option_names(const CLI::App& app, const CLI::App* command) {
  std::vector<std::string> names;
  for (const CLI::App* owner : {&app, command}) {
    if (owner == nullptr) continue;
    for (const CLI::Option* option : owner->get_options()) {
      for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
      for (const std::string& name : option->get_snames()) names.push_back("-" + name);
    }
  }
  return names;
}

std::string unknown_option_message(const CLI::App& app, const CLI::App* command, std::string_view word) {
  std::string_view option = word.substr(0, word.find('='));
  std::string hint = did_you_mean(option, option_names(app, command));
  return "unknown option '" + std::string(option) + "'" + (hint.empty() ? see_help(app, command) : "; " + hint);
}

}  // namespace

std::string unknown_command_message(const CLI::App& app, std::string_view word) {
  std::vector<std::string> commands = command_names(app);
  std::string hint = did_you_mean(word, commands);
  if (!hint.empty()) return "unknown command '" + std::string(word) + "'; " + hint;
  std::string message = "unknown command '" + std::string(word) + "'; the commands are";
  for (std::size_t i = 0; i < commands.size(); ++i) message += (i == 0 ? " " : ", ") + commands[i];
  return message;
}

std::string parse_failure_message(const CLI::App* app, const CLI::Error& error) {
  const auto selected = app->get_subcommands();
  const CLI::App* command = selected.empty() ? nullptr : selected.front();
  // The words nothing took: the first says more than the error they led to.
  std::vector<std::string> leftovers = app->remaining(true);
  std::string message;
  if (!leftovers.empty() && leftovers.front().starts_with('-')) {
    message = unknown_option_message(*app, command, leftovers.front());
  } else if (!leftovers.empty() && command == nullptr) {
    message = unknown_command_message(*app, leftovers.front());
  } else if (!leftovers.empty()) {
    message = "unexpected argument '" + leftovers.front() + "'" + see_help(*app, command);
  } else if (command == nullptr && dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
    message = "a command is required" + see_help(*app, nullptr);
  } else {
    message = error.what() + see_help(*app, command);
  }
  return app->get_name() + ": " + message + "\n";
}

}  // namespace host
