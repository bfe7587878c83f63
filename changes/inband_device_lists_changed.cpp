#include "changes/inband_device_lists_changed.hpp"

#include "changes/device_header.hpp"
#include "changes/device_reference.hpp"
#include "changes/field_changes.hpp"
#include "changes/inband_device_list_records.hpp"
#include "plugin/entry.hpp"

namespace ui::event {
namespace {

void write_device_list_change(ByteCursor& in, xml_output& out, const data::ElementListType& list) {
  write_device_header(in, out);
  write_element_list_change(in, out, list);
}

}  // namespace

void render_inband_modcods_changed_xml(xml_output& out, ByteCursor& in) {
  write_device_list_change(in, out, data::inband_device_lists::InBandModcodElements);
}

void render_inband_reservations_changed_xml(xml_output& out, ByteCursor& in) {
  write_device_list_change(in, out, data::inband_device_lists::InBandReservationElements);
}

void render_inband_reservations_changed_v0_xml(xml_output& out, ByteCursor& in) {
  write_device_list_change(in, out, data::inband_device_lists::InBandReservationV0Elements);
}

void render_inband_reservations_changed_multi_xml(xml_output& out, ByteCursor& in) {
  for (std::uint32_t devices = in.read_u32(); devices != 0; --devices)
    write_device_list_change(in, out, data::inband_device_lists::InBandReservationElements);
}

std::uint32_t render_inband_device_change_text(text_output& out, ByteCursor& in) {
  // A header cut short fails here as it does in the XML form; the device itself goes unshown.
  data::read_device_reference(in);
  return render_modification_text(out, in);
}

}  // namespace ui::event
