// Monikers that round-trip their display name: parsing keeps the text, and the text comes back.
#include <cstring>
#include <new>

#include "accounting.hpp"

namespace {

class BindContext final
    : public platform::SimpleObject<BindContext, IBindCtx, IID_IBindCtx,
                                    &platform::LiveCounters::bind_contexts> {};

class DisplayNameMoniker final
    : public platform::SimpleObject<DisplayNameMoniker, IMoniker, IID_IMoniker,
                                    &platform::LiveCounters::monikers> {
 public:
  // Takes a copy of `units` units; the copy is terminated.
  static DisplayNameMoniker* create(const OLECHAR* text, std::size_t units) noexcept {
    auto* copy = new (std::nothrow) OLECHAR[units + 1];
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, text, units * sizeof(OLECHAR));
    copy[units] = u'\0';
    auto* moniker = new (std::nothrow) DisplayNameMoniker(copy, units);
    if (moniker == nullptr) delete[] copy;
    return moniker;
  }

  ~DisplayNameMoniker() { delete[] name_; }

  HRESULT GetDisplayName(IBindCtx* bind_context, IMoniker*, LPOLESTR* display_name) override {
    if (display_name == nullptr) return E_POINTER;
    *display_name = nullptr;
    if (bind_context == nullptr) return E_INVALIDARG;
    auto* copy = static_cast<OLECHAR*>(CoTaskMemAlloc((units_ + 1) * sizeof(OLECHAR)));
    if (copy == nullptr) return E_OUTOFMEMORY;
    std::memcpy(copy, name_, (units_ + 1) * sizeof(OLECHAR));
    *display_name = copy;
    return S_OK;
  }

 private:
  DisplayNameMoniker(OLECHAR* name, std::size_t units) noexcept : name_(name), units_(units) {}

  OLECHAR* name_;
  std::size_t units_;
};

}  // namespace

HRESULT CreateBindCtx(DWORD, IBindCtx** result) {
  if (result == nullptr) return E_INVALIDARG;
  *result = new (std::nothrow) BindContext();
  return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT MkParseDisplayName(IBindCtx* bind_context, LPCOLESTR display_name, ULONG* eaten,
                           IMoniker** result) {
  if (result == nullptr || eaten == nullptr) return E_INVALIDARG;
  *result = nullptr;
  *eaten = 0;
  if (bind_context == nullptr || display_name == nullptr) return E_INVALIDARG;
  std::size_t units = 0;
  for (; display_name[units] != u'\0'; ++units) {
    // Control characters never occur in a display name.
    if (display_name[units] < 0x20) {
      *eaten = static_cast<ULONG>(units);
      return MK_E_SYNTAX;
    }
  }
  *result = DisplayNameMoniker::create(display_name, units);
  if (*result == nullptr) return E_OUTOFMEMORY;
  *eaten = static_cast<ULONG>(units);
  return S_OK;
}
