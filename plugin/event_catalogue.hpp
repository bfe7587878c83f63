// The constant table of event types the plug-in can show, in the order the enumerator yields them.
#pragma once

#include <cstddef>

#include "plugin/eventui.h"

namespace ui::event {

struct EventCatalogueEntry {
  const GUID* pguidType;
  PFN_EVENTUI_XML pfnXml;
  void* pReserved;
  PFN_EVENTUI_TEXT pfnText;
  const char16_t* pszName;
};

inline constexpr std::size_t event_catalogue_size = 30;
extern const EventCatalogueEntry EventCatalogue[event_catalogue_size];

}  // namespace ui::event
