// Error-information objects and the per-thread slot that carries the last error to the caller.
#include <new>

#include "accounting.hpp"

namespace {

class ErrorInfo final : public ICreateErrorInfo, public IErrorInfo {
 public:
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ICreateErrorInfo) {
      *ppv = static_cast<ICreateErrorInfo*>(this);
    } else if (riid == IID_IErrorInfo) {
      *ppv = static_cast<IErrorInfo*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return references_.add(); }
  ULONG Release() override {
    ULONG left = references_.release();
    if (left == 0) delete this;
    return left;
  }

  HRESULT SetGUID(REFGUID guid) override {
    guid_ = guid;
    return S_OK;
  }
  HRESULT SetSource(LPOLESTR source) override { return replace(source_, source); }
  HRESULT SetDescription(LPOLESTR description) override { return replace(description_, description); }
  HRESULT SetHelpFile(LPOLESTR help_file) override { return replace(help_file_, help_file); }
  HRESULT SetHelpContext(DWORD help_context) override {
    help_context_ = help_context;
    return S_OK;
  }

  HRESULT GetGUID(GUID* guid) override {
    if (guid == nullptr) return E_INVALIDARG;
    *guid = guid_;
    return S_OK;
  }
  HRESULT GetSource(BSTR* source) override { return copy(source_, source); }
  HRESULT GetDescription(BSTR* description) override { return copy(description_, description); }
  HRESULT GetHelpFile(BSTR* help_file) override { return copy(help_file_, help_file); }
  HRESULT GetHelpContext(DWORD* help_context) override {
    if (help_context == nullptr) return E_INVALIDARG;
    *help_context = help_context_;
    return S_OK;
  }

  ~ErrorInfo() {
    SysFreeString(source_);
    SysFreeString(description_);
    SysFreeString(help_file_);
  }

 private:
  static HRESULT replace(BSTR& field, LPCOLESTR text) {
    BSTR copy = nullptr;
    if (text != nullptr && (copy = SysAllocString(text)) == nullptr) return E_OUTOFMEMORY;
    SysFreeString(field);
    field = copy;
    return S_OK;
  }
  static HRESULT copy(BSTR field, BSTR* out) {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (field != nullptr && (*out = SysAllocString(field)) == nullptr) return E_OUTOFMEMORY;
    return S_OK;
  }

  platform::RefCount references_;
  platform::Counted<&platform::LiveCounters::error_infos> counted_;
  GUID guid_{};
  BSTR source_ = nullptr;
  BSTR description_ = nullptr;
  BSTR help_file_ = nullptr;
  DWORD help_context_ = 0;
};

// The slot owns one reference; it is released when the thread ends.
struct ThreadSlot {
  IErrorInfo* info = nullptr;
  ~ThreadSlot() {
    if (info != nullptr) info->Release();
  }
};
thread_local ThreadSlot slot;

}  // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** result) {
  if (result == nullptr) return E_INVALIDARG;
  auto* info = new (std::nothrow) ErrorInfo();
  *result = info;
  return info != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetErrorInfo(ULONG, IErrorInfo* info) {
  if (info != nullptr) info->AddRef();
  IErrorInfo* previous = slot.info;
  slot.info = info;
  if (previous != nullptr) previous->Release();
  return S_OK;
}

HRESULT GetErrorInfo(ULONG, IErrorInfo** result) {
  if (result == nullptr) return E_INVALIDARG;
  *result = slot.info;
  slot.info = nullptr;
  return *result != nullptr ? S_OK : S_FALSE;
}
