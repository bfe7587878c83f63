#include "standard_output.hpp"

#include <cerrno>
#include <cstring>
#include <string>

namespace host {

namespace {

// errno after a failed call; a stream can report an error without setting it.
int last_error() noexcept { return errno != 0 ? errno : EIO; }

}  // namespace

WriteError::WriteError(int error_number)
    : std::runtime_error(std::string("write error: ") + std::strerror(error_number)),
      error_number_(error_number) {}

bool WriteError::broken_pipe() const noexcept { return error_number_ == EPIPE; }

void write_all(std::FILE* file, std::string_view text) {
  if (text.empty()) return;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) throw WriteError(last_error());
}

void flush_output(std::FILE* file) {
  errno = 0;
  if (std::fflush(file) != 0) throw WriteError(last_error());
}

void close_standard_output() {
  errno = 0;
  // An earlier failure may have left only the error flag behind.
  bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  int error = last_error();
  if (std::fclose(stdout) != 0 && !failed) {
    failed = true;
    error = last_error();
  }
  if (failed) throw WriteError(error);
}

}  // namespace host
