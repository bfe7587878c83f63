#include "host_process.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace host_test {

namespace {

// The test processes run side by side: each names its files apart.
std::string fresh_path(const std::string& kind) {
  static int files = 0;
  return ::testing::TempDir() + "veduvedad-" + std::to_string(getpid()) + "-" + kind + "-" +
         std::to_string(++files);
}

int file_for_writing(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

int output_to(OutputSink sink, const std::string& path) {
  if (sink == OutputSink::file) return file_for_writing(path);
  if (sink == OutputSink::full_device) return open("/dev/full", O_WRONLY | O_CLOEXEC);
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  close(ends[0]);
  return ends[1];
}

// Starts the host on the given standard input, output and error, which it then closes; -1 leaves
// one to the new terminal whose master side goes to `terminal`. Every other descriptor the test
// opened closes on exec. The test process has one thread, so the child may change its environment
// between fork and exec.
pid_t start(const Invocation& invocation, std::array<int, 3> standard, int* terminal = nullptr) {
  std::vector<std::string> strings{invocation.program};
  strings.insert(strings.end(), invocation.arguments.begin(), invocation.arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : strings) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = invocation.environment;

  pid_t pid = terminal != nullptr ? forkpty(terminal, nullptr, nullptr, nullptr) : fork();
  if (pid < 0) throw std::runtime_error("cannot start the host");
  if (pid == 0) {
    for (std::size_t i = 0; i < standard.size(); ++i)
      if (standard[i] >= 0) dup2(standard[i], static_cast<int>(i));
    const bool ignoring = invocation.sink == OutputSink::closed_pipe_ignoring_its_signal;
    signal(SIGPIPE, ignoring ? SIG_IGN : SIG_DFL);
    for (const char* name : {"NO_COLOR", "COLORTERM", "TERM", "VEDUVEDAD_PLUGIN"}) unsetenv(name);
    for (std::string& entry : environment) putenv(entry.data());
    execv(invocation.program.c_str(), argv.data());
    _exit(127);
  }
  for (int descriptor : standard)
    if (descriptor >= 0) close(descriptor);
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

// Until the end, or an error: a terminal reports EIO once the process has closed its side.
void read_all(int descriptor, std::string& into) {
  char chunk[4096];
  for (ssize_t n; (n = read(descriptor, chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR);)
    if (n > 0) into.append(chunk, static_cast<std::size_t>(n));
  close(descriptor);
}

}  // namespace

std::string read_file(const std::string& path) {
  std::ostringstream contents;
  contents << std::ifstream(path, std::ios::binary).rdbuf();
  return contents.str();
}

std::string temporary_file(const std::string& contents) {
  std::string path = fresh_path("file");
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

Outcome run_host(const Invocation& invocation) {
  const std::string in = temporary_file(invocation.input);
  const std::string out = fresh_path("out"), err = fresh_path("err");
  const std::array<int, 3> standard{open(in.c_str(), O_RDONLY | O_CLOEXEC),
                                    output_to(invocation.sink, out), file_for_writing(err)};
  Outcome outcome = wait_for(start(invocation, standard));
  outcome.out = read_file(out);
  outcome.err = read_file(err);
  for (const std::string& path : {in, out, err}) std::remove(path.c_str());
  return outcome;
}

Outcome run_host_on_terminal(const Invocation& invocation) {
  int terminal = -1;
  pid_t pid = start(invocation, {-1, -1, -1}, &terminal);
  if (!invocation.input.empty()) {
    // Typed lines, then the end-of-input character at the start of a line.
    std::string typed = invocation.input + "\x04";
    if (write(terminal, typed.data(), typed.size()) != static_cast<ssize_t>(typed.size()))
      throw std::runtime_error("cannot type on the terminal");
  }
  std::string shown;
  read_all(terminal, shown);
  Outcome outcome = wait_for(pid);
  outcome.out = shown;
  return outcome;
}

LiveHost::LiveHost(const std::vector<std::string>& arguments) : err_path_(fresh_path("err")) {
  int input[2], output[2];
  if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
    throw std::runtime_error("cannot make pipes");
  pid_ = start({arguments}, {input[0], output[1], file_for_writing(err_path_)});
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

std::string LiveHost::read_until(const std::string& expected) {
  while (received_.find(expected) == std::string::npos) {
    pollfd readable{output_, POLLIN, 0};
    if (poll(&readable, 1, 20'000) <= 0) break;
    char chunk[4096];
    ssize_t n = read(output_, chunk, sizeof chunk);
    if (n <= 0) break;
    received_.append(chunk, static_cast<std::size_t>(n));
  }
  return received_;
}

Outcome LiveHost::finish() {
  close(input_);
  read_all(output_, received_);
  Outcome outcome = wait_for(pid_);
  pid_ = -1;
  outcome.out = received_;
  outcome.err = read_file(err_path_);
  std::remove(err_path_.c_str());
  return outcome;
}

}  // namespace host_test
