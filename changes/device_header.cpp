#include "changes/device_header.hpp"

#include "changes/device_reference.hpp"

namespace ui::event {

void write_device_header(ByteCursor& in, xml_output& out) {
  const data::DeviceReference device = data::read_device_reference(in);
  out.start_element("device");
  out.attribute("moniker", device.moniker.get());
  if (!device.name.empty()) {
    out.line_break();
    out.text_element_line("name", device.name);
  }
  out.end_element_line();
}

}  // namespace ui::event
