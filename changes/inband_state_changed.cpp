#include "changes/inband_state_changed.hpp"

#include "changes/field_changes.hpp"
#include "changes/inband_state_records.hpp"

namespace ui::event {

void render_inband_state_changed_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::inband_state::InBandStateRecord);
}

}  // namespace ui::event
