// Renders configuration changes as XML while reading them: one pass over the payload, front to
// back, for every record type declared in the record tables.
#pragma once

#include <span>

#include "changes/record_type.hpp"
#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// The change mask of the record, then a "changed" element for each flagged field.
void write_field_changes(xml_output& out, ByteCursor& cursor, const data::RecordType& record);

// An old and a new value as "old-value" and "new-value".
void write_value_change(xml_output& out, ByteCursor& cursor, data::ValueKind kind);

// Removed elements, modified elements with their keys and changes, added elements.
void write_element_list_change(xml_output& out, ByteCursor& cursor,
                               const data::ElementListType& list);

// One whole element record, a "field" element per field.
void write_element(xml_output& out, ByteCursor& cursor, const data::RecordType& record);

// The "key" elements of a modified element, each on a line of its own; the caller ends the last.
void write_element_key(xml_output& out, ByteCursor& cursor, std::span<const data::KeyPart> key);

// The XML renderer of every event whose payload is the change set of one record type.
template <const data::RecordType& Record>
void render_change_set_xml(xml_output& out, ByteCursor& cursor) {
  write_field_changes(out, cursor, Record);
}

}  // namespace ui::event
