#include "changes/field_changes.hpp"

#include <bit>
#include <cstdint>
#include <string_view>

namespace ui::event {
namespace {

void write_field_change(xml_output& out, ByteCursor& cursor, const data::Field& field) {
  out.start_element_line("changed", "field", field.name);
  switch (field.kind) {
    case data::FieldKind::value:
      write_value_change(out, cursor, field.value_kind);
      break;
    case data::FieldKind::nested_record:
      write_field_changes(out, cursor, *field.record);
      break;
    case data::FieldKind::element_list:
      write_element_list_change(out, cursor, *field.list);
      break;
    case data::FieldKind::modcod:
      cursor.skip(data::modcod_bytes);
      cursor.skip(data::modcod_bytes);
      break;
  }
  out.end_element_line();
}

void write_whole_elements(xml_output& out, ByteCursor& cursor, std::string_view element_name,
                          const data::RecordType& record) {
  for (std::uint16_t count = cursor.read_count(); count != 0; --count) {
    out.start_element(element_name);
    out.line_break();
    write_element(out, cursor, record);
    out.end_element_line();
  }
}

}  // namespace

void write_field_changes(xml_output& out, ByteCursor& cursor, const data::RecordType& record) {
  // Bits above the last field are ignored.
  std::uint32_t mask = record.mask_bytes() == 1 ? cursor.read_u8() : cursor.read_u16();
  cursor.steers(io::LayoutRole::change_mask);
  mask &= (1u << record.fields.size()) - 1;
  for (; mask != 0; mask &= mask - 1)
    write_field_change(out, cursor, record.fields[static_cast<std::size_t>(std::countr_zero(mask))]);
}

void write_value_change(xml_output& out, ByteCursor& cursor, data::ValueKind kind) {
  out.start_element("old-value");
  write_value_and_end_line(out, cursor, kind);
  out.start_element("new-value");
  write_value_and_end_line(out, cursor, kind);
}

void write_element_list_change(xml_output& out, ByteCursor& cursor, const data::ElementListType& list) {
  write_whole_elements(out, cursor, "removed-element", *list.element);
  for (std::uint16_t count = cursor.read_count(); count != 0; --count) {
    out.start_element("modified-element");
    write_element_key(out, cursor, list.key);
    out.line_break();
    write_field_changes(out, cursor, *list.element);
    out.end_element_line();
  }
  write_whole_elements(out, cursor, "added-element", *list.element);
}

void write_element(xml_output& out, ByteCursor& cursor, const data::RecordType& record) {
  for (const data::Field& field : record.fields) {
    out.start_element("field", "name", field.name);
    switch (field.kind) {
      case data::FieldKind::value:
        write_value_and_end_line(out, cursor, field.value_kind);
        continue;
      case data::FieldKind::modcod:
        cursor.skip(data::modcod_bytes);
        break;
      case data::FieldKind::element_list:   // carries no bytes in element form
      case data::FieldKind::nested_record:  // refused in element records when they are declared
        break;
    }
    out.end_element_line();
  }
}

void write_element_key(xml_output& out, ByteCursor& cursor, std::span<const data::KeyPart> key) {
  for (const data::KeyPart& part : key) {
    out.line_break();
    out.start_element("key", "field", part.name);
    write_value_and_end(out, cursor, part.kind);
  }
}

}  // namespace ui::event
