// Runs the veduvedad executable as a separate process and collects what a user would see.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host_test {

struct Outcome {
  int status = -1;  // exit status, or -1 when the process did not exit normally
  std::string out;
  std::string err;
};

struct Invocation {
  Invocation(std::vector<std::string> arguments_, std::string input_ = {},
             std::vector<std::string> environment_ = {})
      : arguments(std::move(arguments_)), input(std::move(input_)), environment(std::move(environment_)) {}

  std::vector<std::string> arguments;
  std::string input;                     // standard input
  std::vector<std::string> environment;  // NAME=value entries added to a copy without NO_COLOR
};

// Standard output and error go to files.
Outcome run_host(const Invocation& invocation);

// Standard output and error are one terminal; `out` receives what it showed (lines end "\r\n").
Outcome run_host_on_terminal(const Invocation& invocation);

// A file in the test's temporary directory holding contents; returns its path.
std::string write_temporary_file(const std::string& name, const std::string& contents);

}  // namespace host_test
