#include "input_file.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "exit_status.hpp"

namespace host {

void refuse_directory(const std::string& path) {
  // A directory opens, then fails at the first read with a less helpful reason.
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) throw InputError("cannot open " + path + ": it is a directory");
}

std::string open_error_message(const std::string& path) {
  return "cannot open " + path + ": " + std::strerror(errno != 0 ? errno : EIO);
}

std::ifstream open_input_file(const std::string& path) {
  refuse_directory(path);
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) throw InputError(open_error_message(path));
  return file;
}

std::string read_error_message(const std::string& name) {
  return "cannot read " + name + ": " + std::strerror(errno != 0 ? errno : EIO);
}

}  // namespace host
