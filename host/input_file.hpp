// Files named on the command line, opened for reading. When one cannot be, the error says why:
// "cannot open PATH: No such file or directory", "cannot open PATH: it is a directory".
#pragma once

#include <fstream>
#include <string>

namespace host {

// Binary mode; InputError when the file cannot be opened.
std::ifstream open_input_file(const std::string& path);

// For opening a file by other means: InputError when path names a directory, and the message
// for a failed open, with the reason in errno.
void refuse_directory(const std::string& path);
std::string open_error_message(const std::string& path);

// "cannot read NAME: REASON" after a failed read, with the reason the system gave.
std::string read_error_message(const std::string& name);

}  // namespace host
