// The error information that a failed entry leaves on the calling thread, read from the runtime
// that the entries use: the plug-in's (PluginLibrary) or the one the host links.
#pragma once

#include <optional>
#include <string>

#include "platform/com.h"

namespace host {

class ErrorInformation {
 public:
  virtual ~ErrorInformation() = default;

  // The calling thread's error description, taken away from the thread as GetErrorInfo does;
  // nullopt when the thread has no error information or it has no description.
  virtual std::optional<std::u16string> take_error_description() const = 0;
};

// take_error_description through a runtime's two functions.
std::optional<std::u16string> take_error_description(decltype(&::GetErrorInfo) get_error_info,
                                                     decltype(&::SysFreeString) sys_free_string);

}  // namespace host
