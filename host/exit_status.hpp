// How a run of the host ends, and the error that ends it early.
#pragma once

#include <stdexcept>

namespace host {

enum class ExitStatus : int {
  rendered = 0,     // every rendering succeeded
  some_failed = 1,  // at least one entry returned a failure
  usage_error = 2,  // bad command line, unreadable or malformed input, plug-in not loadable
};

// A usage or input error: its message is shown and the run ends with ExitStatus::usage_error.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The worse of two statuses: a usage error outranks failed renderings.
constexpr ExitStatus worst(ExitStatus a, ExitStatus b) noexcept {
  return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

}  // namespace host
