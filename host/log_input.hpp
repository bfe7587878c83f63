// An event log read as raw bytes as they arrive, from a named file or standard input. A read
// waits for some bytes and returns what is there, so the lines of a pipe can be taken as they are
// written, and the reader can ask whether more is about to come.
#pragma once

#include <chrono>
#include <cstddef>
#include <span>
#include <string>

namespace host {

class LogInput {
 public:
  // "-" is standard input. InputError when the file cannot be opened.
  explicit LogInput(const std::string& path);
  ~LogInput();
  LogInput(const LogInput&) = delete;
  LogInput& operator=(const LogInput&) = delete;

  // Waits for bytes and reads those there are, at most buffer.size(); 0 at the end of the log.
  // InputError when the read fails.
  std::size_t read_some(std::span<char> buffer);

  // Whether bytes arrive within timeout, or the log ends. False where the platform cannot tell.
  bool wait_for_input(std::chrono::milliseconds timeout);

 private:
  int descriptor_;
  bool owned_;
};

}  // namespace host
