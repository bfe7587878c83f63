#include "plugin/entry.hpp"

#include <typeinfo>

#include "com/com_ptr.hpp"
#include "com/ole_text.hpp"
#include "com/text_services.hpp"
#include "plugin/errors.hpp"

namespace ui::event {
namespace {

constexpr std::size_t description_size = 1024;

// A new error-information object carrying e's message as its description, or null.
IErrorInfo* describe(const std::exception& e) noexcept {
  com::ComPtr<ICreateErrorInfo> creator;
  if (FAILED(CreateErrorInfo(creator.put()))) return nullptr;
  char16_t description[description_size];
  com::utf8_to_utf16(e.what(), description, description_size);
  if (FAILED(creator->SetDescription(com::ole(description)))) return nullptr;
  void* info = nullptr;
  if (FAILED(creator->QueryInterface(IID_IErrorInfo, &info))) return nullptr;
  return static_cast<IErrorInfo*>(info);
}

}  // namespace

HRESULT classify_exception(const std::exception& e, IErrorInfo** info) noexcept {
  // Exact types only: a class derived from one of these is described like any other error.
  const std::type_info& type = typeid(e);
  if (type == typeid(com::error)) {
    const auto& error = static_cast<const com::error&>(e);
    if ((*info = error.info()) != nullptr) (*info)->AddRef();
    return error.hresult();
  }
  if (type == typeid(win32::error))
    return static_cast<HRESULT>(static_cast<const win32::error&>(e).code | 0x80070000u);
  if (type == typeid(bad_pointer)) return E_POINTER;
  if (type == typeid(not_implemented)) return E_NOTIMPL;
  if (type == typeid(not_expected)) return E_UNEXPECTED;
  *info = describe(e);
  return DISP_E_EXCEPTION;
}

HRESULT exception_to_hresult(const std::exception& e) noexcept {
  IErrorInfo* info = nullptr;
  HRESULT hr = classify_exception(e, &info);
  SetErrorInfo(0, info);
  if (info != nullptr) info->Release();
  return hr;
}

HRESULT check_arguments(std::uint32_t cbPayload, const std::uint8_t* pbPayload,
                        const char16_t* pszBuffer, std::uint32_t cchBuffer) noexcept {
  if (pszBuffer == nullptr || (pbPayload == nullptr && cbPayload != 0)) return E_POINTER;
  if (cchBuffer == 0) return E_INVALIDARG;
  return S_OK;
}

HRESULT fail_without_info(HRESULT hr) noexcept {
  SetErrorInfo(0, nullptr);
  return hr;
}

}  // namespace ui::event
