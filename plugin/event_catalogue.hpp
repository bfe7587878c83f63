// The constant table of event types the plug-in can show, in the order the enumerator yields them.
#pragma once

#include <cstddef>

#include "veduvedader/eventui.h"

namespace ui::event {

// The entries are of the types viewers call them through, so a row whose entry has another
// signature or calling convention does not compile.
struct EventCatalogueEntry {
  const GUID* pguidType;
  PFN_EVENTUI_XML pfnXml;
  void* pReserved;
  PFN_EVENTUI_TEXT pfnText;
  const char16_t* pszName;
};

// The records cross the library boundary: their layout is fixed for each pointer width.
inline constexpr bool pointers_32_bit = sizeof(void*) == 4;
static_assert(pointers_32_bit || sizeof(void*) == 8);
static_assert(sizeof(EVENTUI) == (pointers_32_bit ? 32 : 48));
static_assert(offsetof(EVENTUI, pfnXml) == 16);
static_assert(offsetof(EVENTUI, pReserved) == (pointers_32_bit ? 20 : 24));
static_assert(offsetof(EVENTUI, pfnText) == (pointers_32_bit ? 24 : 32));
static_assert(offsetof(EVENTUI, pszName) == (pointers_32_bit ? 28 : 40));
static_assert(sizeof(EventCatalogueEntry) == (pointers_32_bit ? 20 : 40));

inline constexpr std::size_t event_catalogue_size = 30;
extern const EventCatalogueEntry EventCatalogue[event_catalogue_size];

}  // namespace ui::event
