// Configuration record types declared as data: an ordered list of fields, each with its XML name
// and kind. A field's position is its bit in the record's change mask, and the same list serves
// the change form and the element form of the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "changes/value_kind.hpp"

namespace data {

struct RecordType;
struct ElementListType;

enum class FieldKind : std::uint8_t {
  value,          // old and new value of a value kind
  nested_record,  // a change set of its own
  element_list,   // removed, modified and added element records
  modcod,         // two opaque values, stepped over
};

// The opaque modulation-and-coding value; nothing in the system interprets it.
inline constexpr std::size_t modcod_bytes = 20;

struct Field {
  std::string_view name;
  FieldKind kind;
  ValueKind value_kind = ValueKind::signed_integer;  // value fields only
  const RecordType* record = nullptr;                // nested record fields only
  const ElementListType* list = nullptr;             // element list fields only
};

constexpr Field value_field(std::string_view name, ValueKind kind) {
  return {name, FieldKind::value, kind};
}
constexpr Field nested_field(std::string_view name, const RecordType& record) {
  return {name, FieldKind::nested_record, ValueKind::signed_integer, &record};
}
constexpr Field list_field(std::string_view name, const ElementListType& list) {
  return {name, FieldKind::element_list, ValueKind::signed_integer, nullptr, &list};
}
constexpr Field modcod_field(std::string_view name) { return {name, FieldKind::modcod}; }

struct RecordType {
  // Implicit: a record type is declared straight from its field array.
  template <std::size_t N>
  consteval RecordType(const Field (&declared)[N]) : fields(declared) {
    static_assert(N >= 1 && N <= 16, "a change mask covers 1 to 16 fields");
  }

  // 1 byte for up to 8 fields, 2 bytes above.
  constexpr std::size_t mask_bytes() const noexcept { return fields.size() <= 8 ? 1 : 2; }

  std::span<const Field> fields;
};

// One part of the key that identifies a modified element.
struct KeyPart {
  std::string_view name;
  ValueKind kind;
};

// A collection field: its element record type and the key of a modified element.
struct ElementListType {
  template <std::size_t N>
  consteval ElementListType(const RecordType& element_record, const KeyPart (&key_parts)[N])
      : element(&element_record), key(key_parts) {
    // The element form has no encoding for a nested record.
    for (const Field& field : element_record.fields)
      if (field.kind == FieldKind::nested_record) throw "element records hold no nested records";
  }

  const RecordType* element;
  std::span<const KeyPart> key;
};

}  // namespace data
