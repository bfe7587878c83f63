#include "wire_values.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>

#include "com_object.hpp"

namespace test {
namespace {

using wire::Wire;
using wire::WireType;

class Marker final : public ComObject<IGlobalReservationControl> {
 public:
  explicit Marker(LONG id) : ComObject(IID_IGlobalReservationControl), id_(id) {}
  HRESULT STDMETHODCALLTYPE Method3(LONG* id, LONG* check) override {
    *id = id_;
    *check = ~id_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method4(LONG, LONG) override { return E_NOTIMPL; }

 private:
  LONG id_;
};

// The marker's number through the pointer (a call back into its apartment), -1 for others.
LONG marker_id(IUnknown* object) {
  IGlobalReservationControl* marker = nullptr;
  if (FAILED(object->QueryInterface(IID_IGlobalReservationControl,
                                    reinterpret_cast<void**>(&marker))))
    return -1;
  LONG id = -1;
  LONG check = 0;
  HRESULT hr = marker->Method3(&id, &check);
  marker->Release();
  return SUCCEEDED(hr) && check == ~id ? id : -1;
}

// The generated arrays: {LONG count; T* items}.
struct Array {
  LONG count;
  std::byte* items;
};

struct Layout {
  std::size_t size;
  std::size_t align;
};

std::size_t aligned(std::size_t offset, std::size_t align) {
  return (offset + align - 1) / align * align;
}

Layout layout(const WireType& shape) {
  switch (shape.kind) {
    case Wire::i8: return {1, 1};
    case Wire::i16: return {2, 2};
    case Wire::i32:
    case Wire::e16: return {4, 4};  // an enumeration is an int in memory
    case Wire::i64: return {8, 8};
    case Wire::guid: return {sizeof(GUID), alignof(GUID)};
    case Wire::wstr:
    case Wire::interface_pointer: return {sizeof(void*), alignof(void*)};
    case Wire::array: return {sizeof(Array), alignof(Array)};
    case Wire::record: break;
  }
  Layout record{0, 1};
  for (const WireType* field : shape.fields) {
    Layout member = layout(*field);
    record.size = aligned(record.size, member.align) + member.size;
    record.align = std::max(record.align, member.align);
  }
  record.size = aligned(record.size, record.align);
  return record;
}

// Calls `visit(field shape, field address)` for each field of a record, each item of an array.
template <class Byte, class Visit>
void for_each_part(const WireType& shape, Byte* value, Visit visit) {
  if (shape.kind == Wire::array) {
    Array array;
    std::memcpy(&array, value, sizeof array);
    std::size_t size = layout(*shape.element).size;
    for (LONG i = 0; i < array.count; ++i)
      visit(*shape.element, array.items + static_cast<std::size_t>(i) * size);
    return;
  }
  std::size_t offset = 0;
  for (const WireType* field : shape.fields) {
    Layout member = layout(*field);
    offset = aligned(offset, member.align);
    visit(*field, value + offset);
    offset += member.size;
  }
}

template <class T>
void store(void* at, T value) {
  std::memcpy(at, &value, sizeof value);
}
template <class T>
T load(const void* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <class T>
T* task_array(std::size_t count) {
  return static_cast<T*>(CoTaskMemAlloc(count * sizeof(T)));
}

bool is_unknown(const WireType& shape) { return IsEqualGUID(shape.iid, IID_IUnknown) != 0; }

void fill_counting(const WireType& shape, std::byte* value, std::int64_t& n) {
  ++n;
  const std::int64_t sign = n % 2 != 0 ? -1 : 1;
  switch (shape.kind) {
    case Wire::i8: return store(value, static_cast<std::int8_t>(sign * (n % 100)));
    case Wire::i16: return store(value, static_cast<std::int16_t>(sign * (n % 30000)));
    case Wire::i32: return store(value, static_cast<std::int32_t>(sign * n * 1000003 % 2147483647));
    case Wire::i64: return store(value, sign * ((n << 36) + n));
    case Wire::e16: return store(value, static_cast<std::int32_t>(n % 32768));
    case Wire::guid: {
      GUID guid{static_cast<unsigned long>(n) * 0x01010101u, static_cast<unsigned short>(n),
                static_cast<unsigned short>(~n), {}};
      for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<unsigned char>(n * 16 + i);
      return store(value, guid);
    }
    case Wire::wstr: {
      std::wstring text = n % 4 == 0 ? L"" : L"Hub-" + std::to_wstring(n) + L" \u00e9\u20ac";
      auto* copy = task_array<wchar_t>(text.size() + 1);
      std::wmemcpy(copy, text.c_str(), text.size() + 1);
      return store(value, copy);
    }
    case Wire::interface_pointer:
      return store(value, is_unknown(shape) ? new_marker(static_cast<LONG>(n)) : nullptr);
    case Wire::array: {
      const auto count = static_cast<LONG>(1 + n % 3);
      store(value, Array{count, task_array<std::byte>(static_cast<std::size_t>(count) *
                                                      size_of(*shape.element))});
      break;
    }
    case Wire::record: break;
  }
  for_each_part(shape, value,
                [&n](const WireType& part, std::byte* at) { fill_counting(part, at, n); });
}

}  // namespace

IUnknown* new_marker(LONG id) { return new Marker(id); }

std::size_t size_of(const WireType& shape) { return layout(shape).size; }

void fill(const WireType& shape, void* value, int seed) {
  std::int64_t n = std::int64_t{seed} * 1000;
  fill_counting(shape, static_cast<std::byte*>(value), n);
}

std::wstring describe(const WireType& shape, const void* value) {
  const auto* bytes = static_cast<const std::byte*>(value);
  switch (shape.kind) {
    case Wire::i8: return std::to_wstring(load<std::int8_t>(bytes));
    case Wire::i16: return std::to_wstring(load<std::int16_t>(bytes));
    case Wire::i32:
    case Wire::e16: return std::to_wstring(load<std::int32_t>(bytes));
    case Wire::i64: return std::to_wstring(load<std::int64_t>(bytes));
    case Wire::guid: {
      wchar_t guid[40] = {};
      StringFromGUID2(load<GUID>(bytes), guid, 40);
      return guid;
    }
    case Wire::wstr: {
      const auto* string = load<const wchar_t*>(bytes);
      return string != nullptr ? L"\"" + std::wstring(string) + L"\"" : L"(null)";
    }
    case Wire::interface_pointer: {
      auto* object = load<IUnknown*>(bytes);
      return object != nullptr ? L"@" + std::to_wstring(marker_id(object)) : L"null";
    }
    case Wire::array:
    case Wire::record: break;
  }
  std::wstring text = shape.kind == Wire::array ? L"#" + std::to_wstring(load<LONG>(bytes)) : L"";
  text += L"{";
  for_each_part(shape, bytes, [&text](const WireType& part, const std::byte* at) {
    text += describe(part, at) + L" ";
  });
  return text + L"}";
}

void release(const WireType& shape, void* value) {
  auto* bytes = static_cast<std::byte*>(value);
  if (shape.kind == Wire::wstr) CoTaskMemFree(load<wchar_t*>(bytes));
  if (shape.kind == Wire::interface_pointer) {
    if (auto* object = load<IUnknown*>(bytes)) object->Release();
  }
  if (shape.kind != Wire::array && shape.kind != Wire::record) return;
  for_each_part(shape, bytes, release);
  if (shape.kind == Wire::array) CoTaskMemFree(load<Array>(bytes).items);
}

}  // namespace test
