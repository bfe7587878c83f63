#include "changes/inband_policy_changed.hpp"

#include "changes/field_changes.hpp"
#include "changes/inband_policy_records.hpp"

namespace ui::event {

void render_inband_policy_changed_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::inband_policy::InBandPolicyRecord);
}

void render_inband_policy_changed_v0_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::inband_policy::InBandPolicyV0Record);
}

void render_inband_policy_changed_v1_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::inband_policy::InBandPolicyV1Record);
}

void render_inband_policy_changed_v2_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::inband_policy::InBandPolicyV2Record);
}

}  // namespace ui::event
