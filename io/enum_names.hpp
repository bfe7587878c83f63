// Names of enumeration values: a table of rows, one per named value. The values of payload
// enumerations need not be named ones, so every lookup says what stands for a value without a row.
#pragma once

#include <cstddef>
#include <type_traits>

namespace io {

// Rows hold distinct values.
template <class E, class Name>
struct EnumRow {
  E value;
  Name name;
};

template <class E, class Name, std::size_t N>
constexpr Name enum_name_of(const EnumRow<E, Name> (&rows)[N], E value, Name otherwise) noexcept {
  using Number = std::make_unsigned_t<std::underlying_type_t<E>>;
  // Most tables list consecutive values in order: the row at the value's distance from the first
  // is tried before the search.
  const auto at = static_cast<std::size_t>(static_cast<Number>(static_cast<Number>(value) -
                                                               static_cast<Number>(rows[0].value)));
  if (at < N && rows[at].value == value) return rows[at].name;
  for (const EnumRow<E, Name>& row : rows)
    if (row.value == value) return row.name;
  return otherwise;
}

}  // namespace io
