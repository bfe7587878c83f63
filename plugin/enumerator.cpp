#include "plugin/enumerator.hpp"

#include <new>

#include "com/module.hpp"

namespace ui::event {

CEnumEVENTUI::CEnumEVENTUI() noexcept
    : m_pBegin(EventCatalogue),
      m_pCurrent(EventCatalogue),
      m_pEnd(EventCatalogue + event_catalogue_size) {
  com::module::lock();
}

CEnumEVENTUI::~CEnumEVENTUI() {
  // The marker a destroyed object's count carries, as the object model leaves it.
  references_ = static_cast<std::int32_t>(0xC0000001u);
  com::module::unlock();
}

CEnumEVENTUI* CEnumEVENTUI::create() noexcept {
  auto* enumerator = new (std::nothrow) CEnumEVENTUI();
  if (enumerator != nullptr) enumerator->AddRef();
  return enumerator;
}

HRESULT EVENTUI_CALL CEnumEVENTUI::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IEnumEVENTUI) {
    *ppv = static_cast<IEnumEVENTUI*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG EVENTUI_CALL CEnumEVENTUI::AddRef() { return static_cast<ULONG>(++references_); }

ULONG EVENTUI_CALL CEnumEVENTUI::Release() {
  ULONG left = static_cast<ULONG>(--references_);
  if (left == 0) {
    // An extra lock keeps the module loaded while the object is being destroyed.
    com::module::lock();
    delete this;
    com::module::unlock();
  }
  return left;
}

HRESULT EVENTUI_CALL CEnumEVENTUI::Next(ULONG celt, EVENTUI* rgelt, ULONG* pceltFetched) {
  if (rgelt == nullptr && celt != 0) return E_POINTER;
  ULONG fetched = 0;
  for (; m_pCurrent != m_pEnd && fetched < celt; ++m_pCurrent, ++fetched)
    rgelt[fetched] = {*m_pCurrent->pguidType, m_pCurrent->pfnXml, m_pCurrent->pReserved,
                      m_pCurrent->pfnText, m_pCurrent->pszName};
  if (pceltFetched != nullptr) *pceltFetched = fetched;
  return fetched == celt ? S_OK : S_FALSE;
}

HRESULT EVENTUI_CALL CEnumEVENTUI::Skip(ULONG celt) {
  ULONG skipped = 0;
  for (; m_pCurrent != m_pEnd && skipped < celt; ++m_pCurrent) ++skipped;
  return skipped == celt ? S_OK : S_FALSE;
}

HRESULT EVENTUI_CALL CEnumEVENTUI::Reset() {
  m_pCurrent = m_pBegin;
  return S_OK;
}

HRESULT EVENTUI_CALL CEnumEVENTUI::Clone(IEnumEVENTUI** ppEnum) {
  if (ppEnum == nullptr) return E_POINTER;
  CEnumEVENTUI* clone = create();
  if (clone == nullptr) return E_OUTOFMEMORY;
  clone->m_pBegin = m_pBegin;
  clone->m_pCurrent = m_pBegin;
  clone->m_pEnd = m_pEnd;
  *ppEnum = clone;
  return S_OK;
}

}  // namespace ui::event
