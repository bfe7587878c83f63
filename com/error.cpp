#include "com/error.hpp"

#include <cstddef>
#include <cstdio>
#include <string>

#include "com/com_ptr.hpp"
#include "com/ole_text.hpp"
#include "com/text_services.hpp"

namespace com {
namespace {

constexpr std::size_t message_size = 260;

// The text of a com::error: the error information's description, else the system's text for
// the HRESULT, else a generic line with the code.
std::string com_error_message(HRESULT hr, IErrorInfo* info) {
  char text[message_size] = {};
  if (info != nullptr) {
    BSTR description = nullptr;
    if (SUCCEEDED(info->GetDescription(&description)) && description != nullptr) {
      utf16_to_utf8(utf16(description), text, sizeof text);
      SysFreeString(description);
      return text;
    }
  }
  if (system_message(hr, text, sizeof text)) return text;
  std::snprintf(text, sizeof text, "unknown error (0x%08X) occurred", static_cast<unsigned>(hr));
  return text;
}

}  // namespace

error::error(HRESULT hr, IErrorInfo* info)
    : std::runtime_error(com_error_message(hr, info)), hr_(hr), info_(info) {
  if (info_ != nullptr) info_->AddRef();
}

error::error(const error& other) noexcept
    : std::runtime_error(other), hr_(other.hr_), info_(other.info_) {
  if (info_ != nullptr) info_->AddRef();
}

error::~error() {
  if (info_ != nullptr) info_->Release();
}

void error::raise_with_thread_info(HRESULT hr) {
  IErrorInfo* raw = nullptr;
  if (GetErrorInfo(0, &raw) != S_OK) raw = nullptr;
  ComPtr<IErrorInfo> info = ComPtr<IErrorInfo>::adopt(raw);
  throw error(hr, info.get());
}

}  // namespace com
