#include "switching_service_objects.hpp"

#include <cwchar>

namespace test {
namespace {

class MarkerObject final : public ComObject<IGlobalReservationControl> {
 public:
  explicit MarkerObject(LONG id) : ComObject(IID_IGlobalReservationControl), id_(id) {}
  HRESULT STDMETHODCALLTYPE Method3(LONG* id, LONG* check) override {
    *id = id_;
    *check = ~id_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Method4(LONG, LONG) override { return E_NOTIMPL; }

 private:
  LONG id_;
};

Triple triple(LONG seed) { return {seed, -seed, seed * 7}; }
GuidValue guid_value(LONG seed) { return {guid(seed), seed + 11}; }
Enum16 enum16(LONG seed) { return static_cast<Enum16>(seed % 32768); }

void describe(const Triple& t, Received& into) {
  into.numbers.insert(into.numbers.end(), {t.field0, t.field1, t.field2});
}
void describe(const GuidValue& g, Received& into) {
  into.guids.push_back(g.field0);
  into.numbers.push_back(g.field1);
}
void describe_pointer(IUnknown* object, Received& into) {
  into.markers.push_back(marker_id(object));
}
void describe(const ArrayOfLong& array, Received& into) {
  into.numbers.push_back(array.count);
  for (LONG i = 0; i < array.count; ++i) into.numbers.push_back(array.items[i]);
}
void describe(const ArrayOfOutOfBandMember& array, Received& into) {
  into.numbers.push_back(array.count);
  for (LONG i = 0; i < array.count; ++i) {
    describe_pointer(array.items[i].field0, into);
    describe_pointer(array.items[i].field1, into);
    into.numbers.push_back(array.items[i].field2);
  }
}
void describe(const InBandStateAItem& item, Received& into) {
  describe_pointer(item.field0, into);
  into.numbers.insert(into.numbers.end(), {item.field1, item.field2, item.field3});
  describe(item.field4, into);
}
void describe(const InBandStateASide& side, Received& into) {
  into.numbers.push_back(side.field0);
  describe_pointer(side.field1, into);
  describe(side.field2, into);
  describe(side.field3, into);
}
void describe(const InBandStateBItem& item, Received& into) {
  into.numbers.push_back(item.field0);
  describe_pointer(item.field1, into);
  into.numbers.insert(into.numbers.end(), {item.field2, item.field3, item.field4, item.field5});
  describe(item.field6, into);
}

ArrayOfOutOfBandMember members(LONG seed, LONG count) {
  ArrayOfOutOfBandMember array{count, task_array<OutOfBandMember>(static_cast<std::size_t>(count))};
  for (LONG i = 0; i < count; ++i)
    array.items[i] = {nullptr, new_marker(seed * 100 + i), static_cast<small>(i % 2 ? -i : i)};
  return array;
}

ArrayOfLong longs(LONG seed, LONG count) {
  ArrayOfLong array{count, task_array<LONG>(static_cast<std::size_t>(count))};
  for (LONG i = 0; i < count; ++i) array.items[i] = seed * 1000 + i;
  return array;
}

InBandStateAItem in_band_state_a_item(LONG seed) {
  return {nullptr, static_cast<hyper>(seed) * 10000000000LL, seed, static_cast<short>(-seed),
          guid_value(seed)};
}
InBandStateASide in_band_state_a_side(LONG seed) {
  return {seed, nullptr, in_band_state_a_item(seed + 1), triple(seed + 2)};
}
InBandStateBItem in_band_state_b_item(LONG seed) {
  return {enum16(seed), nullptr, -static_cast<hyper>(seed) << 35, seed, seed + 1,
          static_cast<short>(seed * 3), guid_value(seed + 2)};
}

}  // namespace

void Received::note_call() {
  thread = GetCurrentThreadId();
  APTTYPEQUALIFIER qualifier{};
  if (FAILED(CoGetApartmentType(&apartment, &qualifier))) apartment = APTTYPE_CURRENT;
}

IUnknown* new_marker(LONG id) { return new MarkerObject(id); }

LONG marker_id(IUnknown* object) {
  if (object == nullptr) return 0;
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

GUID guid(LONG seed) {
  GUID g{static_cast<unsigned long>(seed) * 0x01010101u, static_cast<unsigned short>(seed + 1),
         static_cast<unsigned short>(0xFFFF - seed), {}};
  for (int i = 0; i < 8; ++i) g.Data4[i] = static_cast<unsigned char>(seed * 16 + i);
  return g;
}

LPWSTR task_string(const wchar_t* text) {
  std::size_t units = std::wcslen(text) + 1;
  auto* copy = task_array<wchar_t>(units);
  std::wmemcpy(copy, text, units);
  return copy;
}

OutOfBandA out_of_band_a(LONG seed) {
  return {nullptr, seed * 10 + 1, static_cast<short>(seed + 2), guid_value(seed)};
}

InBandStateA in_band_state_a(LONG seed) {
  return {seed, in_band_state_a_side(seed + 1), in_band_state_a_side(seed + 20), triple(seed + 3),
          triple(seed + 4)};
}

InBandStateB in_band_state_b(LONG seed) {
  return {enum16(seed + 100), in_band_state_b_item(seed + 1), in_band_state_b_item(seed + 2)};
}

OutOfBandB out_of_band_b(LONG seed) {
  return {enum16(seed + 5),  members(seed, 3), (std::int64_t{1} << 40) + seed, seed + 4, seed + 5,
          static_cast<short>(-seed), guid_value(seed + 1)};
}

OutOfBandC out_of_band_c(LONG seed) {
  return {-(std::int64_t{1} << 33) - seed, seed, seed + 1, guid_value(seed + 2), -1, 2, -3, 4,
          static_cast<small>(seed), seed + 9, members(seed, 2)};
}

ArrayOfInBandSessionRecord in_band_sessions(LONG seed) {
  constexpr LONG count = 3;
  ArrayOfInBandSessionRecord array{count, task_array<InBandSessionRecord>(count)};
  for (LONG i = 0; i < count; ++i)
    array.items[i] = {triple(seed + i), seed + i,         seed - i,    seed * i, -seed,
                      longs(seed + i, i + 1), seed * 1000, 1 - seed};
  return array;
}

IInBandState_Method12_P0 named_values(LONG seed) {
  constexpr LONG count = 2;
  IInBandState_Method12_P0 array{count, task_array<IInBandState_Method12_P0Item>(count)};
  array.items[0] = {task_string(L"Hub-A \u00e9\u20ac"), seed};
  array.items[1] = {task_string(L""), -seed};
  return array;
}

ArrayOfReservationRecord reservations(LONG seed) {
  constexpr LONG count = 2;
  ArrayOfReservationRecord array{count, task_array<ReservationRecord>(count)};
  for (LONG i = 0; i < count; ++i)
    array.items[i] = {seed + i, seed * 2 + i, -seed - i, guid_value(seed + 3 + i)};
  return array;
}

ManagerPolicyRecord manager_policy(LONG seed) {
  ManagerPolicyRecord record{seed,     enum16(seed + 1), enum16(seed + 2), enum16(0),
                             enum16(32767), enum16(seed + 5), seed + 6, -seed, {}, {}};
  record.field8 = {2, task_array<ManagerPolicyRecord_Field8Item>(2)};
  for (LONG i = 0; i < 2; ++i) {
    ManagerPolicyRecord_Field8Item_Field4 pairs{i + 1,
                                                task_array<ManagerPolicyRecord_Field8Item_Field4Item>(
                                                    static_cast<std::size_t>(i + 1))};
    for (LONG j = 0; j <= i; ++j) pairs.items[j] = {seed + j, -j};
    record.field8.items[i] = {i, seed + i, task_string(i == 0 ? L"policy-a" : L"policy-b"),
                              enum16(seed + i), pairs};
  }
  record.field9 = {1, task_array<ManagerPolicyRecord_Field9Item>(1)};
  record.field9.items[0] = {seed, 1, task_string(L"row"), enum16(3), 4, 5, 6, 7, -8};
  return record;
}

void release(ArrayOfOutOfBandMember& array) {
  for (LONG i = 0; i < array.count; ++i) {
    if (array.items[i].field0 != nullptr) array.items[i].field0->Release();
    if (array.items[i].field1 != nullptr) array.items[i].field1->Release();
  }
  CoTaskMemFree(array.items);
}
void release(OutOfBandB& record) { release(record.field1); }
void release(OutOfBandC& record) { release(record.field10); }
void release(ArrayOfInBandSessionRecord& array) {
  for (LONG i = 0; i < array.count; ++i) CoTaskMemFree(array.items[i].field5.items);
  CoTaskMemFree(array.items);
}
void release(IInBandState_Method12_P0& array) {
  for (LONG i = 0; i < array.count; ++i) CoTaskMemFree(array.items[i].field0);
  CoTaskMemFree(array.items);
}
void release(ArrayOfReservationRecord& array) { CoTaskMemFree(array.items); }
void release(ManagerPolicyRecord& record) {
  for (LONG i = 0; i < record.field8.count; ++i) {
    CoTaskMemFree(record.field8.items[i].field2);
    CoTaskMemFree(record.field8.items[i].field4.items);
  }
  CoTaskMemFree(record.field8.items);
  for (LONG i = 0; i < record.field9.count; ++i) CoTaskMemFree(record.field9.items[i].field2);
  CoTaskMemFree(record.field9.items);
}

void describe(const OutOfBandA& record, Received& into) {
  describe_pointer(record.field0, into);
  into.numbers.insert(into.numbers.end(), {record.field1, record.field2});
  describe(record.field3, into);
}

void describe(const OutOfBandB& record, Received& into) {
  into.numbers.push_back(record.field0);
  describe(record.field1, into);
  into.numbers.insert(into.numbers.end(),
                      {record.field2, record.field3, record.field4, record.field5});
  describe(record.field6, into);
}

void describe(const OutOfBandC& record, Received& into) {
  into.numbers.insert(into.numbers.end(), {record.field0, record.field1, record.field2});
  describe(record.field3, into);
  into.numbers.insert(into.numbers.end(), {record.field4, record.field5, record.field6,
                                           record.field7, record.field8, record.field9});
  describe(record.field10, into);
}

void describe(const InBandStateA& record, Received& into) {
  into.numbers.push_back(record.field0);
  describe(record.field1, into);
  describe(record.field2, into);
  describe(record.field3, into);
  describe(record.field4, into);
}

void describe(const InBandStateB& record, Received& into) {
  into.numbers.push_back(record.field0);
  describe(record.field1, into);
  describe(record.field2, into);
}

void describe(const InBandSessionRecord& record, Received& into) {
  describe(record.field0, into);
  into.numbers.insert(into.numbers.end(),
                      {record.field1, record.field2, record.field3, record.field4});
  describe(record.field5, into);
  into.numbers.insert(into.numbers.end(), {record.field6, record.field7});
}

void describe(const ReservationRecord& record, Received& into) {
  into.numbers.insert(into.numbers.end(), {record.field0, record.field1, record.field2});
  describe(record.field3, into);
}

void describe(const ManagerPolicyRecord& record, Received& into) {
  into.numbers.insert(into.numbers.end(),
                      {record.field0, record.field1, record.field2, record.field3, record.field4,
                       record.field5, record.field6, record.field7, record.field8.count});
  for (LONG i = 0; i < record.field8.count; ++i) {
    const auto& entry = record.field8.items[i];
    into.numbers.insert(into.numbers.end(), {entry.field0, entry.field1, entry.field3});
    into.texts.emplace_back(entry.field2 != nullptr ? entry.field2 : L"(null)");
    into.numbers.push_back(entry.field4.count);
    for (LONG j = 0; j < entry.field4.count; ++j)
      into.numbers.insert(into.numbers.end(),
                          {entry.field4.items[j].field0, entry.field4.items[j].field1});
  }
  into.numbers.push_back(record.field9.count);
  for (LONG i = 0; i < record.field9.count; ++i) {
    const auto& row = record.field9.items[i];
    into.texts.emplace_back(row.field2 != nullptr ? row.field2 : L"(null)");
    into.numbers.insert(into.numbers.end(), {row.field0, row.field1, row.field3, row.field4,
                                             row.field5, row.field6, row.field7, row.field8});
  }
}

// The servers: in-parameters are described as they arrive, out-parameters built from seeds
// that the tests use too.

HRESULT OutOfBandServer::Method3(hyper p0, OutOfBandA* p1) {
  received.note_call();
  received.numbers.push_back(p0);
  *p1 = out_of_band_a(static_cast<LONG>(p0));
  return S_OK;
}

HRESULT OutOfBandServer::Method4(hyper p0, OutOfBandA* p1) {
  received.note_call();
  received.numbers.push_back(p0);
  describe(*p1, received);
  return S_OK;
}

HRESULT OutOfBandServer::Method5(hyper* p0, OutOfBandA* p1) {
  received.note_call();
  describe(*p1, received);
  *p0 = -(std::int64_t{1} << 62) + 5;
  return S_OK;
}

HRESULT OutOfBandServer::Method10(ArrayOfOutOfBandC* p0) {
  received.note_call();
  received.numbers.push_back(p0->count);
  for (LONG i = 0; i < p0->count; ++i) describe(p0->items[i], received);
  return S_OK;
}

HRESULT OutOfBandServer::Method12(hyper p0, OutOfBandB* p1) {
  received.note_call();
  received.numbers.push_back(p0);
  *p1 = out_of_band_b(static_cast<LONG>(p0));
  return S_OK;
}

HRESULT OutOfBandServer::Method14(hyper p0, IUnknown* p1) {
  received.note_call();
  received.numbers.push_back(p0);
  describe_pointer(p1, received);
  return S_OK;
}

HRESULT InBandStateServer::Method3(InBandStateA* p0) {
  received.note_call();
  *p0 = in_band_state_a(3);
  return S_OK;
}

HRESULT InBandStateServer::Method4(InBandStateA* p0) {
  received.note_call();
  describe(*p0, received);
  return S_OK;
}

HRESULT InBandStateServer::Method6(InBandStateA* p0, InBandStateB* p1) {
  received.note_call();
  *p0 = in_band_state_a(6);
  *p1 = in_band_state_b(6);
  return S_OK;
}

HRESULT InBandStateServer::Method7(IInBandState_Method7_P0* p0) {
  received.note_call();
  describe(p0->field0, received);
  received.numbers.insert(received.numbers.end(), {p0->field1, p0->field2, p0->field3, p0->field4});
  describe(p0->field5, received);
  return S_OK;
}

HRESULT InBandStateServer::Method8(Triple p0) {
  received.note_call();
  describe(p0, received);
  return S_OK;
}

HRESULT InBandStateServer::Method9(ArrayOfInBandSessionRecord* p0) {
  received.note_call();
  *p0 = in_band_sessions(9);
  return S_OK;
}

HRESULT InBandStateServer::Method12(IInBandState_Method12_P0* p0) {
  received.note_call();
  *p0 = named_values(12);
  return S_OK;
}

HRESULT SwitchingManagerServer::Method3(DeviceArray* p0, LONG p1) {
  received.note_call();
  received.numbers.push_back(p0->count);
  for (LONG i = 0; i < p0->count; ++i)
    describe_pointer(p0->items[i], received);
  received.numbers.push_back(p1);
  return S_OK;
}

HRESULT SwitchingManagerServer::Method7(Device* p0, ArrayOfReservationRecord* p1) {
  received.note_call();
  describe_pointer(p0, received);
  *p1 = reservations(7);
  return S_OK;
}

HRESULT SwitchingManagerServer::Method8(Device* p0, ArrayOfReservationRecord* p1) {
  received.note_call();
  describe_pointer(p0, received);
  received.numbers.push_back(p1->count);
  for (LONG i = 0; i < p1->count; ++i) describe(p1->items[i], received);
  return S_OK;
}

HRESULT SwitchingManagerServer::Method13(IUnknown* p0, ManagerPolicyRecord* p1) {
  received.note_call();
  describe_pointer(p0, received);
  *p1 = manager_policy(13);
  return S_OK;
}

HRESULT SwitchingManagerServer::Method14(IUnknown* p0, ManagerPolicyRecord* p1) {
  received.note_call();
  describe_pointer(p0, received);
  describe(*p1, received);
  return S_OK;
}

}  // namespace test
