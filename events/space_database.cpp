#include "events/space_database.hpp"

#include "changes/allocation_space_records.hpp"
#include "changes/field_changes.hpp"

namespace ui::event {

void render_space_database_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::allocation_space::AllocationSpaceRecord);
}

void render_space_database_v0_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::allocation_space::AllocationSpaceRecordV0);
}

void render_space_database_v1_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::allocation_space::AllocationSpaceRecordV1);
}

void render_space_database_v2_xml(xml_output& out, ByteCursor& in) {
  write_field_changes(in, out, data::allocation_space::AllocationSpaceRecordV2);
}

}  // namespace ui::event
