// Runs the veduvedad executable as a separate process and collects what a user would see.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace host_test {

struct Outcome {
  int status = -1;  // exit status, or -1 when the process did not exit normally
  int signal = 0;   // the signal that ended it, if one did
  std::string out;
  std::string err;
};

// Where run_host sends standard output.
enum class OutputSink {
  file,            // collected in Outcome::out
  full_device,     // /dev/full: every write fails for want of space
  closed_pipe,     // a pipe whose reader is gone
  closed_pipe_ignoring_its_signal,  // the same, with SIGPIPE ignored as a parent may leave it
};

struct Invocation {
  std::vector<std::string> arguments;
  // Standard input; on a terminal, unless empty, typed on it and ended with end-of-input.
  std::string input = {};
  // NAME=value entries added to a copy without NO_COLOR, COLORTERM, TERM and VEDUVEDAD_PLUGIN.
  std::vector<std::string> environment = {};
  OutputSink sink = OutputSink::file;
  std::string program = VED_HOST_PATH;  // the host of this build, unless a copy of it
};

// Standard output and error go to files.
Outcome run_host(const Invocation& invocation);

// Standard input, output and error are one terminal; `out` receives what it showed (lines end
// "\r\n").
Outcome run_host_on_terminal(const Invocation& invocation);

// A run whose standard input and output are pipes that the test holds, so that it can write input
// while the host runs and see what the host writes as it comes. Standard error goes to a file.
class LiveHost {
 public:
  explicit LiveHost(const std::vector<std::string>& arguments);
  ~LiveHost();
  LiveHost(const LiveHost&) = delete;
  LiveHost& operator=(const LiveHost&) = delete;

  void write_input(const std::string& text);
  // Everything the host has written so far, once it contains expected or once the host has
  // written nothing for 20 seconds: generous, as a loaded machine may take long to schedule the
  // host; nothing waits this long unless the output stays unwritten.
  std::string read_until(const std::string& expected);
  // Ends the input and waits for the host to exit.
  Outcome finish();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string err_path_;
  std::string received_;
};

// A new file in the temporary directory holding contents; returns its path.
std::string temporary_file(const std::string& contents);
std::string read_file(const std::string& path);

}  // namespace host_test
