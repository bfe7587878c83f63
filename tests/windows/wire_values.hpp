// Values of the catalogued wire shapes in the layout of the generated declarations, built,
// described and freed by walking the shape, so that what one side of a call holds can be
// compared field by field with what the other side holds.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "com/interface_catalogue.hpp"
#include "switching_interfaces.hpp"

namespace test {

namespace wire = com::marshal;

// An object that answers its number through IGlobalReservationControl::Method3: the identity of
// an interface pointer across apartments.
IUnknown* new_marker(LONG id);

std::size_t size_of(const wire::WireType& shape);
// Distinct numbers from `seed` on in every field, task-allocated arrays and texts as
// out-parameters are handed over, new markers for IUnknown pointers, and null for the other
// interfaces, whose proxies belong to other modules.
void fill(const wire::WireType& shape, void* value, int seed);
// Every scalar, text and marker number, in field order.
std::wstring describe(const wire::WireType& shape, const void* value);
void release(const wire::WireType& shape, void* value);

// A value owned by the test: filled from a nonzero seed, or zeroed as out-parameters begin.
class Value {
 public:
  explicit Value(const wire::WireType& shape, int seed = 0)
      : shape_(shape), storage_((size_of(shape) + 7) / 8) {
    if (seed != 0) fill(shape, storage_.data(), seed);
  }
  ~Value() { release(shape_, storage_.data()); }
  Value(const Value&) = delete;
  Value& operator=(const Value&) = delete;

  // The value as its generated type, whose layout must be the shape's.
  template <class T>
  T* as() {
    EXPECT_EQ(sizeof(T), size_of(shape_));
    return reinterpret_cast<T*>(storage_.data());
  }
  std::wstring text() const { return describe(shape_, storage_.data()); }

 private:
  const wire::WireType& shape_;
  std::vector<std::uint64_t> storage_;
};

}  // namespace test
