#include "host_process.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

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

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// argv and envp for posix_spawn, over strings that outlive the call.
class ProcessImage {
 public:
  explicit ProcessImage(const Invocation& invocation) {
    strings_.push_back(VED_HOST_PATH);
    for (const std::string& argument : invocation.arguments) strings_.push_back(argument);
    arguments_end_ = strings_.size();
    for (char** entry = environ; *entry != nullptr; ++entry)
      if (std::strncmp(*entry, "NO_COLOR=", 9) != 0) strings_.push_back(*entry);
    for (const std::string& entry : invocation.environment) strings_.push_back(entry);

    for (std::size_t i = 0; i < arguments_end_; ++i) argv_.push_back(strings_[i].data());
    argv_.push_back(nullptr);
    for (std::size_t i = arguments_end_; i < strings_.size(); ++i) envp_.push_back(strings_[i].data());
    envp_.push_back(nullptr);
  }

  pid_t spawn(posix_spawn_file_actions_t& actions) {
    pid_t pid = -1;
    int error = posix_spawn(&pid, VED_HOST_PATH, &actions, nullptr, argv_.data(), envp_.data());
    if (error != 0) throw std::runtime_error(std::string("posix_spawn: ") + std::strerror(error));
    return pid;
  }

 private:
  std::vector<std::string> strings_;
  std::size_t arguments_end_ = 0;
  std::vector<char*> argv_;
  std::vector<char*> envp_;
};

int wait_for(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string write_temporary_file(const std::string& name, const std::string& contents) {
  std::filesystem::path path = temporary_directory() / name;
  std::ofstream(path, std::ios::binary) << contents;
  return path.string();
}

Outcome run_host(const Invocation& invocation) {
  static int runs = 0;
  std::string tag = std::to_string(getpid()) + "-" + std::to_string(++runs);
  std::string input = write_temporary_file("in-" + tag, invocation.input);
  std::filesystem::path out = temporary_directory() / ("out-" + tag);
  std::filesystem::path err = temporary_directory() / ("err-" + tag);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ProcessImage image(invocation);
  pid_t pid = image.spawn(actions);
  posix_spawn_file_actions_destroy(&actions);

  Outcome outcome;
  outcome.status = wait_for(pid);
  outcome.out = read_file(out);
  outcome.err = read_file(err);
  return outcome;
}

Outcome run_host_on_terminal(const Invocation& invocation) {
  int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
    throw std::runtime_error("no pseudo-terminal");
  std::string terminal = ptsname(master);
  // Held open until the child has its own descriptors, so that the master side never sees a
  // terminal without any process on it before the end.
  int terminal_side = open(terminal.c_str(), O_RDWR | O_NOCTTY);
  if (terminal_side < 0) throw std::runtime_error("cannot open " + terminal);
  std::string input = write_temporary_file("terminal-in", invocation.input);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, terminal.c_str(), O_RDWR | O_NOCTTY, 0);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  ProcessImage image(invocation);
  pid_t pid = image.spawn(actions);
  posix_spawn_file_actions_destroy(&actions);
  close(terminal_side);

  // The terminal reports EIO once the process has closed its side.
  Outcome outcome;
  char chunk[4096];
  for (;;) {
    ssize_t n = read(master, chunk, sizeof chunk);
    if (n > 0) {
      outcome.out.append(chunk, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  close(master);
  outcome.status = wait_for(pid);
  return outcome;
}

}  // namespace host_test
