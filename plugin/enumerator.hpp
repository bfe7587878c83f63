// The enumerator over the event catalogue handed to hosts by UI_EnumEVENTUI.
#pragma once

#include <cstdint>

#include "plugin/event_catalogue.hpp"
#include "veduvedader/eventui.h"

namespace ui::event {

// Single-threaded object: a plain reference count and an unlocked position. Each object holds
// one module lock for its whole life.
class CEnumEVENTUI final : public IEnumEVENTUI {
 public:
  // A new enumerator over the whole catalogue with one reference, or null when out of memory.
  static CEnumEVENTUI* create() noexcept;

  HRESULT EVENTUI_CALL QueryInterface(REFIID riid, void** ppv) override;
  ULONG EVENTUI_CALL AddRef() override;
  ULONG EVENTUI_CALL Release() override;
  HRESULT EVENTUI_CALL Next(ULONG celt, EVENTUI* rgelt, ULONG* pceltFetched) override;
  HRESULT EVENTUI_CALL Skip(ULONG celt) override;
  HRESULT EVENTUI_CALL Reset() override;
  HRESULT EVENTUI_CALL Clone(IEnumEVENTUI** ppEnum) override;

 private:
  CEnumEVENTUI() noexcept;
  ~CEnumEVENTUI();

  std::int32_t references_ = 0;
  const EventCatalogueEntry* m_pBegin;
  const EventCatalogueEntry* m_pCurrent;
  const EventCatalogueEntry* m_pEnd;
};

}  // namespace ui::event
