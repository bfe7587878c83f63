// The two compared XML renderers, written once over a document type: the payload is read exactly
// as the plug-in reads it and the values formatted with std::to_string, so that the documents'
// ways of assembling text are what differs.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "changes/record_type.hpp"
#include "document_line.hpp"
#include "io/byte_cursor.hpp"
#include "plain_formatting.hpp"

namespace bench {

// The entries start every document three blanks deep.
inline constexpr unsigned top_depth = 3;

template <class Document>
void write_exclusion_change(Document& document, ByteCursor& in) {
  for (std::string_view name : {"old-base", "old-top", "new-base", "new-top"})
    document.element(top_depth, name, nullptr, plain::frequency_text(in.read_i64()));
}

template <class Document>
void write_change_set(Document& document, ByteCursor& in, const data::RecordType& record,
                      unsigned depth);

template <class Document>
void write_value_change(Document& document, ByteCursor& in, data::ValueKind kind, unsigned depth) {
  document.element(depth, "old-value", nullptr, plain::value_text(in, kind));
  document.element(depth, "new-value", nullptr, plain::value_text(in, kind));
}

// A removed or added element: every field, a value or an empty element.
template <class Document>
void write_whole_element(Document& document, ByteCursor& in, std::string_view name,
                         const data::RecordType& record, unsigned depth) {
  document.open(depth, name);
  for (const data::Field& field : record.fields) {
    const Attribute attribute{"name", field.name};
    if (field.kind == data::FieldKind::value) {
      document.element(depth + 1, "field", &attribute, plain::value_text(in, field.value_kind));
    } else {
      if (field.kind == data::FieldKind::modcod) in.skip(data::modcod_bytes);
      document.element(depth + 1, "field", &attribute, std::nullopt);
    }
  }
  document.close(depth, name);
}

template <class Document>
void write_list_change(Document& document, ByteCursor& in, const data::ElementListType& list,
                       unsigned depth) {
  for (std::uint16_t n = in.read_count(); n != 0; --n)
    write_whole_element(document, in, "removed-element", *list.element, depth);
  for (std::uint16_t n = in.read_count(); n != 0; --n) {
    document.open(depth, "modified-element");
    for (const data::KeyPart& part : list.key) {
      const Attribute attribute{"field", part.name};
      document.element(depth + 1, "key", &attribute, plain::value_text(in, part.kind));
    }
    write_change_set(document, in, *list.element, depth + 1);
    document.close(depth, "modified-element");
  }
  for (std::uint16_t n = in.read_count(); n != 0; --n)
    write_whole_element(document, in, "added-element", *list.element, depth);
}

template <class Document>
void write_change_set(Document& document, ByteCursor& in, const data::RecordType& record,
                      unsigned depth) {
  const std::uint32_t mask = record.mask_bytes() == 1 ? in.read_u8() : in.read_u16();
  for (std::size_t position = 0; position < record.fields.size(); ++position) {
    if ((mask >> position & 1u) == 0) continue;
    const data::Field& field = record.fields[position];
    const Attribute attribute{"field", field.name};
    document.open(depth, "changed", &attribute);
    switch (field.kind) {
      case data::FieldKind::value:
        write_value_change(document, in, field.value_kind, depth + 1);
        break;
      case data::FieldKind::nested_record:
        write_change_set(document, in, *field.record, depth + 1);
        break;
      case data::FieldKind::element_list:
        write_list_change(document, in, *field.list, depth + 1);
        break;
      case data::FieldKind::modcod:
        in.skip(2 * data::modcod_bytes);
        break;
    }
    document.close(depth, "changed");
  }
}

}  // namespace bench
