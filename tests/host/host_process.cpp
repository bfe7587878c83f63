#include "host_process.hpp"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

// Standard input comes from a file; output and error go to files, or, without them, to a new
// terminal whose master side is left in `terminal`. The test process has one thread, so the child
// may change its environment between fork and exec.
pid_t run(const Invocation& invocation, const std::string& out, const std::string& err, int* terminal) {
  std::string input = fresh_path("in");
  std::ofstream(input, std::ios::binary) << invocation.input;
  std::vector<std::string> strings{VED_HOST_PATH};
  strings.insert(strings.end(), invocation.arguments.begin(), invocation.arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : strings) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = invocation.environment;

  pid_t pid = terminal != nullptr ? forkpty(terminal, nullptr, nullptr, nullptr) : fork();
  if (pid < 0) throw std::runtime_error("cannot start the host");
  if (pid == 0) {
    dup2(open(input.c_str(), O_RDONLY), 0);
    if (terminal == nullptr) {
      dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    }
    unsetenv("NO_COLOR");
    for (std::string& entry : environment) putenv(entry.data());
    execv(VED_HOST_PATH, argv.data());
    _exit(127);
  }
  return pid;
}

int wait_for(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
  int status = wait_for(run(invocation, out, err, nullptr));
  return {status, read_file(out), read_file(err)};
}

Outcome run_host_on_terminal(const Invocation& invocation) {
  int terminal = -1;
  pid_t pid = run(invocation, {}, {}, &terminal);
  // The terminal reports EIO once the process has closed its side.
  std::string shown;
  char chunk[4096];
  for (ssize_t n; (n = read(terminal, chunk, sizeof chunk)) > 0 || (n < 0 && errno == EINTR);)
    if (n > 0) shown.append(chunk, static_cast<std::size_t>(n));
  close(terminal);
  return {wait_for(pid), shown, {}};
}

}  // namespace host_test
