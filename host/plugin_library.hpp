// The plug-in as an event viewer sees it: a shared library opened with dlopen, its catalogue
// walked through UI_EnumEVENTUI, and the thread's error information of the COM runtime stand-in
// that it brings along.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "error_information.hpp"
#include "platform/com.h"
#include "veduvedader/eventui.h"

namespace host {

class PluginLibrary : public ErrorInformation {
 public:
  // Opens the library and copies out its records; InputError when either fails.
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary() override;
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  const std::string& path() const noexcept { return path_; }

  // The records in enumeration order; their names and entries live as long as this object.
  std::span<const EVENTUI> records() const noexcept { return records_; }

  // The calling thread's error description, taken away from the thread as GetErrorInfo does;
  // nullopt when the thread has no error information or it has no description.
  std::optional<std::u16string> take_error_description() const override;

  // An export of the plug-in or of the runtime it links; InputError when there is none.
  void* resolve(const char* symbol) const;

 private:
  void enumerate_records();

  std::string path_;
  void* handle_ = nullptr;
  decltype(&::GetErrorInfo) get_error_info_ = nullptr;
  decltype(&::SysFreeString) sys_free_string_ = nullptr;
  std::vector<EVENTUI> records_;
};

}  // namespace host
