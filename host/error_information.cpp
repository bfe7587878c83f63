#include "error_information.hpp"

#include <memory>

#include "release_interface.hpp"

namespace host {

std::optional<std::u16string> take_error_description(decltype(&::GetErrorInfo) get_error_info,
                                                     decltype(&::SysFreeString) sys_free_string) {
  IErrorInfo* raw = nullptr;
  if (get_error_info(0, &raw) != S_OK || raw == nullptr) return std::nullopt;
  std::unique_ptr<IErrorInfo, ReleaseInterface> info(raw);

  BSTR text = nullptr;
  std::optional<std::u16string> description;
  if (SUCCEEDED(info->GetDescription(&text)) && text != nullptr)
    description.emplace(reinterpret_cast<const char16_t*>(text));
  sys_free_string(text);
  return description;
}

}  // namespace host
