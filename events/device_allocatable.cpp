#include "events/device_allocatable.hpp"

#include <string_view>

#include "changes/device_reference.hpp"
#include "io/formatting.hpp"
#include "io/wide_text.hpp"
#include "veduvedader/eventui.h"

namespace ui::event {
namespace {

// Members are read in payload order by the constructor, so a failed read releases the monikers
// already parsed.
struct DeviceAllocatableRecord {
  explicit DeviceAllocatableRecord(ByteCursor& cursor)
      : device(data::read_device_reference(cursor)),
        group(data::read_device_reference(cursor)),
        was_allocatable(cursor.read_u8()),
        is_allocatable(cursor.read_u8()) {}

  data::DeviceReference device;
  data::DeviceReference group;
  std::uint8_t was_allocatable;  // nonzero is true
  std::uint8_t is_allocatable;
};

void write_flag_xml(xml_output& out, std::string_view element, std::uint8_t flag) {
  out.text_element_line(element, io::bool_text(flag));
}

}  // namespace

void render_device_allocatable_xml(xml_output& out, ByteCursor& cursor) {
  const DeviceAllocatableRecord record(cursor);
  write_device_xml(out, "device", record.device);
  write_device_xml(out, "group", record.group);
  out.start_element_line("changed", "field", "allocatable");
  write_flag_xml(out, "old-value", record.was_allocatable);
  write_flag_xml(out, "new-value", record.is_allocatable);
  out.end_element_line();
}

std::uint32_t render_device_allocatable_text(text_output& out, ByteCursor& cursor) {
  const DeviceAllocatableRecord record(cursor);
  out.put_text("Device was made ");
  out.put_text(record.is_allocatable != 0 ? "allocatable." : "unallocatable.");
  return EVENTUI_COLOUR_CHANGED;
}

}  // namespace ui::event
