#include "changes/inband_device_lists_changed.hpp"

#include "changes/device_reference.hpp"
#include "changes/field_changes.hpp"
#include "changes/inband_device_list_records.hpp"
#include "changes/modification_text.hpp"

namespace ui::event {
namespace {

// The device the list belongs to, then the list's change.
void write_device_list_change(xml_output& out, ByteCursor& cursor,
                              const data::ElementListType& list) {
  write_device_xml(out, "device", data::read_device_reference(cursor));
  write_element_list_change(out, cursor, list);
}

}  // namespace

void render_inband_modcods_changed_xml(xml_output& out, ByteCursor& cursor) {
  write_device_list_change(out, cursor, data::inband_device_lists::InBandModcodElements);
}

void render_inband_reservations_changed_xml(xml_output& out, ByteCursor& cursor) {
  write_device_list_change(out, cursor, data::inband_device_lists::InBandReservationElements);
}

void render_inband_reservations_changed_v0_xml(xml_output& out, ByteCursor& cursor) {
  write_device_list_change(out, cursor, data::inband_device_lists::InBandReservationV0Elements);
}

void render_inband_reservations_changed_multi_xml(xml_output& out, ByteCursor& cursor) {
  std::uint32_t devices = cursor.read_u32();
  cursor.steers(io::LayoutRole::count);
  for (; devices != 0; --devices)
    write_device_list_change(out, cursor, data::inband_device_lists::InBandReservationElements);
}

std::uint32_t render_inband_device_change_text(text_output& out, ByteCursor& cursor) {
  // A header cut short fails here as it does in the XML form; the device itself goes unshown.
  data::read_device_reference(cursor);
  return render_modification_text(out, cursor);
}

}  // namespace ui::event
