// Writing the output of a command. A write that fails ends the run with its reason, so that a full
// disk does not pass for success; a reader that went away (a closed pipe) ends it quietly.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace host {

class WriteError : public std::runtime_error {
 public:
  // The reason is the system's text for error_number.
  explicit WriteError(int error_number);

  // The reader closed the pipe: nothing is reported, as the reader no longer listens.
  bool broken_pipe() const noexcept;

 private:
  int error_number_;
};

// Writes all of text, or throws WriteError.
void write_all(std::FILE* file, std::string_view text);

// Hands buffered output to the system, or throws WriteError.
void flush_output(std::FILE* file);

// Flushes and closes standard output at the end of a run, where the last buffered writes meet
// their errors; throws WriteError. Nothing may write to standard output afterwards.
void close_standard_output();

}  // namespace host
