#include "log_input.hpp"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

#include "exit_status.hpp"
#include "input_file.hpp"

namespace host {

namespace {

#ifdef _WIN32
int open_for_reading(const std::string& path) { return _open(path.c_str(), _O_RDONLY | _O_BINARY); }
long read_descriptor(int descriptor, char* bytes, std::size_t size) {
  return _read(descriptor, bytes, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}
void close_descriptor(int descriptor) { _close(descriptor); }
#else
int open_for_reading(const std::string& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }
long read_descriptor(int descriptor, char* bytes, std::size_t size) {
  return read(descriptor, bytes, std::min<std::size_t>(size, SSIZE_MAX));
}
void close_descriptor(int descriptor) { close(descriptor); }
#endif

}  // namespace

LogInput::LogInput(const std::string& path) : descriptor_(0), owned_(path != "-") {
  if (!owned_) {
#ifdef _WIN32
    _setmode(descriptor_, _O_BINARY);  // the lines keep their ends, as on every platform
#endif
    return;
  }
  refuse_directory(path);
  errno = 0;
  descriptor_ = open_for_reading(path);
  if (descriptor_ < 0) throw InputError(open_error_message(path));
}

LogInput::~LogInput() {
  if (owned_) close_descriptor(descriptor_);
}

std::size_t LogInput::read_some(std::span<char> buffer) {
  for (;;) {
    errno = 0;
    long count = read_descriptor(descriptor_, buffer.data(), buffer.size());
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) throw InputError(read_error_message("the event log"));
  }
}

bool LogInput::wait_for_input(std::chrono::milliseconds timeout) {
#ifdef _WIN32
  static_cast<void>(timeout);
  return false;
#else
  pollfd waiting{descriptor_, POLLIN, 0};
  return poll(&waiting, 1, static_cast<int>(timeout.count())) > 0;
#endif
}

}  // namespace host
