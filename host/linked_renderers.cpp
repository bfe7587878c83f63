#include "linked_renderers.hpp"

#include "plugin/event_catalogue.hpp"

namespace host {

namespace {

std::vector<EVENTUI> catalogue_records() {
  std::vector<EVENTUI> records;
  records.reserve(ui::event::event_catalogue_size);
  for (const ui::event::EventCatalogueEntry& entry : ui::event::EventCatalogue)
    records.push_back({*entry.pguidType, entry.pfnXml, entry.pReserved, entry.pfnText, entry.pszName});
  return records;
}

}  // namespace

LinkedRenderers::LinkedRenderers() : records_(catalogue_records()), events_(records_) {}

std::optional<std::u16string> LinkedRenderers::take_error_description() const {
  return host::take_error_description(&::GetErrorInfo, &::SysFreeString);
}

}  // namespace host
