#include "host_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace host_test {

namespace {

std::filesystem::path temporary_directory() {
  static const std::filesystem::path directory = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "veduvedad-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return std::filesystem::path(pattern);
  }();
  return directory;
}

std::string fresh_path(const std::string& kind) {
  static int files = 0;
  return (temporary_directory() / (kind + "-" + std::to_string(++files))).string();
}

// The descriptor that standard output gets from a sink other than a file.
int sink_descriptor(OutputSink sink) {
  if (sink == OutputSink::full_device) return open("/dev/full", O_WRONLY);
  int ends[2];
  if (pipe(ends) != 0) _exit(127);
  close(ends[0]);
  if (sink == OutputSink::closed_pipe_ignoring_its_signal) signal(SIGPIPE, SIG_IGN);
  return ends[1];
}

// Standard input comes from a file, or stays the terminal when it is typed; output and error go
// to files, or, without them, to a new terminal whose master side is left in `terminal`. The test
// process has one thread, so the child may change its environment between fork and exec.
pid_t run(const Invocation& invocation, const std::string& out, const std::string& err, int* terminal) {
  std::string input = fresh_path("in");
  std::ofstream(input, std::ios::binary) << invocation.input;
  std::vector<std::string> strings{invocation.program};
  strings.insert(strings.end(), invocation.arguments.begin(), invocation.arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : strings) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = invocation.environment;

  pid_t pid = terminal != nullptr ? forkpty(terminal, nullptr, nullptr, nullptr) : fork();
  if (pid < 0) throw std::runtime_error("cannot start the host");
  if (pid == 0) {
    if (terminal == nullptr || !invocation.typed) dup2(open(input.c_str(), O_RDONLY), 0);
    if (terminal == nullptr) {
      dup2(invocation.sink == OutputSink::file ? open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                               : sink_descriptor(invocation.sink),
           1);
      dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    }
    for (const char* name : {"NO_COLOR", "COLORTERM", "TERM", "VEDUVEDAD_PLUGIN"}) unsetenv(name);
    for (std::string& entry : environment) putenv(entry.data());
    execv(invocation.program.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

// The outcome's status and signal.
Outcome wait_for(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  Outcome outcome;
  if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  return outcome;
}

std::string read_file(const std::string& path) {
  std::ostringstream contents;
  contents << std::ifstream(path, std::ios::binary).rdbuf();
  return contents.str();
}

}  // namespace

std::string write_temporary_file(const std::string& name, const std::string& contents) {
  std::string path = (temporary_directory() / name).string();
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

Outcome run_host(const Invocation& invocation) {
  std::string out = fresh_path("out"), err = fresh_path("err");
  Outcome outcome = wait_for(run(invocation, out, err, nullptr));
  outcome.out = read_file(out);
  outcome.err = read_file(err);
  return outcome;
}

Outcome run_host_on_terminal(const Invocation& invocation) {
  int terminal = -1;
  pid_t pid = run(invocation, {}, {}, &terminal);
  if (invocation.typed) {
    // Typed lines, then the end-of-input character at the start of a line.
    std::string typed = invocation.input + "\x04";
    if (write(terminal, typed.data(), typed.size()) != static_cast<ssize_t>(typed.size()))
      throw std::runtime_error("cannot type on the terminal");
  }
  // The terminal reports EIO once the process has closed its side.
  std::string shown;
  char chunk[4096];
  for (ssize_t n; (n = read(terminal, chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR);)
    if (n > 0) shown.append(chunk, static_cast<std::size_t>(n));
  close(terminal);
  Outcome outcome = wait_for(pid);
  outcome.out = shown;
  return outcome;
}

LiveHost::LiveHost(const std::vector<std::string>& arguments) : err_path_(fresh_path("err")) {
  int input[2], output[2];
  if (pipe(input) != 0 || pipe(output) != 0) throw std::runtime_error("cannot make pipes");
  std::vector<std::string> strings{VED_HOST_PATH};
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : strings) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("cannot start the host");
  if (pid_ == 0) {
    dup2(input[0], 0);
    dup2(output[1], 1);
    dup2(open(err_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    for (int end : {input[0], input[1], output[0], output[1]}) close(end);
    execv(VED_HOST_PATH, argv.data());
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  input_ = input[1];
  output_ = output[0];
}

LiveHost::~LiveHost() {
  if (pid_ > 0) finish();
}

void LiveHost::write_input(const std::string& text) {
  if (write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
    throw std::runtime_error("cannot write to the host");
}

std::string LiveHost::read_until(const std::string& expected, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (received_.find(expected) == std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd readable{output_, POLLIN, 0};
    if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) break;
    char chunk[4096];
    ssize_t n = read(output_, chunk, sizeof chunk);
    if (n <= 0) break;
    received_.append(chunk, static_cast<std::size_t>(n));
  }
  return received_;
}

Outcome LiveHost::finish() {
  if (input_ >= 0) close(input_);
  input_ = -1;
  char chunk[4096];
  for (ssize_t n; (n = read(output_, chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR);)
    if (n > 0) received_.append(chunk, static_cast<std::size_t>(n));
  close(output_);
  Outcome outcome = wait_for(pid_);
  pid_ = -1;
  outcome.out = received_;
  outcome.err = read_file(err_path_);
  return outcome;
}

}  // namespace host_test
