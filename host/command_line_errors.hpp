// What the host says about a command line it cannot run: one line starting "veduvedad:", naming
// the word it did not recognise and the nearest commands or options it knows.
#pragma once

#include <string>
#include <string_view>

namespace CLI {
class App;
class Error;
}  // namespace CLI

namespace host {

// "unknown command 'rendr'; did you mean 'render'?", or the commands when none is near.
std::string unknown_command_message(const CLI::App& app, std::string_view word);

// For CLI::App::failure_message: the message of a parse error, with its line break.
std::string parse_failure_message(const CLI::App* app, const CLI::Error& error);

}  // namespace host
