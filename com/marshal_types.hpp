// The shapes in which marshalled parameters travel, as constant data. A record or an array
// points at the shapes it holds, so a shape used in many places is declared once and shared;
// whoever needs the shapes (registration, a description writer) walks them from the catalogue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/com.h"

namespace com::marshal {

enum class Wire : std::uint8_t {
  i8,
  i16,
  i32,
  i64,
  e16,  // an enumeration sent as 16 bits, values 0 to 32767
  guid,
  wstr,  // pointer to a NUL-terminated wide string
  interface_pointer,
  record,
  array,  // {i32 count; pointer to count elements}
};

struct WireType {
  Wire kind;
  // Named records, and interfaces whose definition is known here; empty for the others.
  std::string_view name;
  GUID iid;                                 // interface pointers
  std::span<const WireType* const> fields;  // records, in order
  const WireType* element;                  // arrays
  bool nullable;                            // arrays whose pointer may be null
};

constexpr WireType scalar(Wire kind) noexcept { return {kind, {}, {}, {}, nullptr, false}; }

constexpr WireType interface_pointer(const GUID& iid, std::string_view name = {}) noexcept {
  return {Wire::interface_pointer, name, iid, {}, nullptr, false};
}

// The fields of a record, by reference to their shapes: fields<i32, GuidValue>.
template <const WireType&... Fields>
inline constexpr const WireType* fields[sizeof...(Fields)] = {&Fields...};

template <std::size_t N>
constexpr WireType record(std::string_view name, const WireType* const (&members)[N]) noexcept {
  return {Wire::record, name, {}, members, nullptr, false};
}
template <std::size_t N>
constexpr WireType record(const WireType* const (&members)[N]) noexcept {
  return record({}, members);
}

constexpr WireType array_of(const WireType& element) noexcept {
  return {Wire::array, {}, {}, {}, &element, false};
}
constexpr WireType nullable_array_of(const WireType& element) noexcept {
  return {Wire::array, {}, {}, {}, &element, true};
}

enum class Direction : std::uint8_t { in, out };

// Out-parameters come back through a reference pointer; in-records and in-arrays travel by
// reference unless `by_value`; other in-parameters travel by value.
struct Parameter {
  Direction direction;
  const WireType* type;
  bool by_value;
};

template <const WireType& T>
struct in {
  static constexpr Parameter parameter{Direction::in, &T, false};
};
template <const WireType& T>
struct in_by_value {
  static constexpr Parameter parameter{Direction::in, &T, true};
};
template <const WireType& T>
struct out {
  static constexpr Parameter parameter{Direction::out, &T, false};
};

template <class... P>
inline constexpr Parameter parameters[sizeof...(P)] = {P::parameter...};

// One method by its slot in the interface's function table (IUnknown holds slots 0 to 2).
struct Method {
  std::uint8_t slot;
  std::span<const Parameter> parameters;
};

template <std::uint8_t Slot, class... P>
constexpr Method method() noexcept {
  if constexpr (sizeof...(P) == 0)
    return {Slot, {}};
  else
    return {Slot, marshal::parameters<P...>};
}

struct InterfaceDescription {
  GUID iid;
  std::string_view name;
  std::uint8_t method_count;  // IUnknown's three included
  std::span<const Method> methods;
};

}  // namespace com::marshal
