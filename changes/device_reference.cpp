#include "changes/device_reference.hpp"

namespace ui::event {

void write_device_xml(xml_output& out, std::string_view element, const data::DeviceReference& device) {
  out.start_element(element);
  out.attribute("moniker", device.moniker.get());
  if (!device.name.empty()) {
    out.line_break();
    out.text_element_line("name", device.name);
  }
  out.end_element_line();
}

}  // namespace ui::event
