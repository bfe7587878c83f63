// Files named on the command line, opened for reading. When one cannot be, the error says why:
// "cannot open PATH: No such file or directory", "cannot open PATH: it is a directory".
#pragma once

#include <fstream>
#include <string>

namespace host {

// Binary mode; InputError when the file cannot be opened.
std::ifstream open_input_file(const std::string& path);

// "cannot read NAME: REASON" after a failed read, with the reason the system gave.
std::string read_error_message(const std::string& name);

}  // namespace host
