// The fifteen interfaces of the switching service whose proxies and stubs this library provides:
// their identifiers, names, method counts and the wire shape of every parameter. Constant data
// only, so that programs outside the library can describe the same interfaces.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "com/marshal_types.hpp"
#include "platform/com.h"

namespace com::marshal {

inline constexpr IID IID_IInBandStateEvents{
    0x2C4A3806, 0x2767, 0x4684, {0x90, 0xDC, 0xF4, 0x2C, 0xF4, 0xFC, 0xBA, 0x6E}};
inline constexpr IID IID_ISwitchableEntity{
    0x68DABA21, 0xA650, 0x4D31, {0x8F, 0xA9, 0x9F, 0x99, 0x15, 0xBB, 0x3F, 0xB0}};
inline constexpr IID IID_IInBandSessionEvents{
    0xF7EBA847, 0x9AE1, 0x4F87, {0xA8, 0xF1, 0xA3, 0xEE, 0xB2, 0x39, 0xA9, 0xE6}};
inline constexpr IID IID_IOutOfBandEvents{
    0x04C99A4A, 0x83B1, 0x4BB2, {0x89, 0x64, 0xC7, 0x30, 0xF1, 0xA7, 0x38, 0xFB}};
inline constexpr IID IID_IInBandState{
    0x090E264C, 0x4460, 0x4C40, {0x88, 0x9F, 0x15, 0x4A, 0x3B, 0xEB, 0xB2, 0x91}};
inline constexpr IID IID_ISpectrumView{
    0x39919957, 0x33B3, 0x4248, {0x92, 0x44, 0x96, 0x6F, 0xBD, 0x9D, 0x01, 0x94}};
inline constexpr IID IID_ISpectrumViewEvents{
    0x116F806F, 0xAB7D, 0x4B09, {0x9C, 0xB2, 0xDE, 0x56, 0x59, 0xB5, 0xD5, 0xA6}};
inline constexpr IID IID_IGlobalReservationControl{
    0x221BF277, 0x4AEE, 0x462F, {0xA0, 0x1E, 0x0B, 0xBE, 0x9F, 0x88, 0x2F, 0x22}};
inline constexpr IID IID_IAllocationSpaceReservationEvents{
    0xFC86487A, 0xFE79, 0x49F3, {0x81, 0x69, 0x5A, 0x2D, 0x16, 0x35, 0x94, 0xA5}};
inline constexpr IID IID_IAllocationSpaceProperty{
    0x43EDE190, 0xF70E, 0x4DC6, {0x9F, 0xDC, 0xD2, 0x9E, 0x10, 0x21, 0xE7, 0x24}};
inline constexpr IID IID_IResourceScheduler{
    0x25033F93, 0x6D31, 0x4D5F, {0x97, 0x8C, 0x52, 0x41, 0xF7, 0xF4, 0x0B, 0xEC}};
inline constexpr IID IID_ISwitchingManager{
    0xE2F5A1C8, 0xC96D, 0x422E, {0xB5, 0xBD, 0x91, 0x80, 0xD1, 0x68, 0x2A, 0x5C}};
inline constexpr IID IID_IAllocationSpaceStatusEvents{
    0xD142A0D3, 0x29F0, 0x43FD, {0x82, 0x00, 0xED, 0x4F, 0xAD, 0xC3, 0xE7, 0xA8}};
inline constexpr IID IID_IOutOfBand{
    0x90CB4BDA, 0x12A6, 0x49A9, {0xA9, 0xEE, 0xFA, 0x94, 0x28, 0x11, 0xA0, 0x0E}};
inline constexpr IID IID_IInBandService{
    0x6D9062EA, 0xB56B, 0x4B08, {0xAB, 0x3C, 0xDF, 0x7C, 0xE4, 0x3B, 0x30, 0x09}};

inline constexpr IID IID_IEnumUnknown{
    0x00000100, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Scalars.
inline constexpr WireType i8 = scalar(Wire::i8);
inline constexpr WireType i16 = scalar(Wire::i16);
inline constexpr WireType i32 = scalar(Wire::i32);
inline constexpr WireType i64 = scalar(Wire::i64);
inline constexpr WireType e16 = scalar(Wire::e16);
inline constexpr WireType guid = scalar(Wire::guid);
inline constexpr WireType wstr = scalar(Wire::wstr);

// Interface pointers. Those known only by identifier belong to other modules of the system.
// IUnknown's identifier spelled out: the system's IID_IUnknown is no constant expression.
inline constexpr WireType unknown = interface_pointer(
    {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}}, "IUnknown");
inline constexpr WireType enum_unknown = interface_pointer(IID_IEnumUnknown, "IEnumUnknown");
inline constexpr WireType spectrum_view = interface_pointer(IID_ISpectrumView, "ISpectrumView");
inline constexpr WireType spectrum_view_events =
    interface_pointer(IID_ISpectrumViewEvents, "ISpectrumViewEvents");
inline constexpr WireType allocation_space_property =
    interface_pointer(IID_IAllocationSpaceProperty, "IAllocationSpaceProperty");
// The object that most methods act on.
inline constexpr WireType D = interface_pointer(
    {0x5274CC44, 0x553C, 0x4A2A, {0x95, 0xA6, 0x98, 0x9F, 0x64, 0xCF, 0xDD, 0xEF}});
inline constexpr WireType interface_7FB17A3F = interface_pointer(
    {0x7FB17A3F, 0x8C9F, 0x4027, {0xA7, 0xAF, 0xEE, 0x14, 0x0B, 0xA9, 0x17, 0xDE}});
inline constexpr WireType interface_979FAA83 = interface_pointer(
    {0x979FAA83, 0xD3BB, 0x411B, {0xBD, 0xF1, 0x73, 0x67, 0x33, 0xB0, 0x68, 0xC7}});
inline constexpr WireType interface_BB4F7BCE = interface_pointer(
    {0xBB4F7BCE, 0x957E, 0x492D, {0x8B, 0xAC, 0x4E, 0x3A, 0x9D, 0x0D, 0x93, 0x89}});
inline constexpr WireType interface_EE8A3350 = interface_pointer(
    {0xEE8A3350, 0x799C, 0x428D, {0x89, 0xB9, 0xF7, 0x6B, 0x42, 0x0B, 0x15, 0xBC}});
inline constexpr WireType interface_49103694 = interface_pointer(
    {0x49103694, 0xACFA, 0x4526, {0xA3, 0x0A, 0x7D, 0xA4, 0x39, 0x90, 0x62, 0xEE}});

// Recurring records.
inline constexpr WireType GuidValue = record("GuidValue", fields<guid, i32>);
inline constexpr WireType Triple = record("Triple", fields<i32, i32, i32>);
inline constexpr WireType InBandStateAItem =
    record("InBandStateAItem", fields<D, i64, i32, i16, GuidValue>);
inline constexpr WireType InBandStateASide =
    record("InBandStateASide", fields<i32, D, InBandStateAItem, Triple>);
inline constexpr WireType InBandStateA =
    record("InBandStateA", fields<i32, InBandStateASide, InBandStateASide, Triple, Triple>);
inline constexpr WireType InBandStateBItem =
    record("InBandStateBItem", fields<e16, D, i64, i32, i32, i16, GuidValue>);
inline constexpr WireType InBandStateB =
    record("InBandStateB", fields<e16, InBandStateBItem, InBandStateBItem>);
inline constexpr WireType array_i32 = array_of(i32);
inline constexpr WireType InBandSessionRecord =
    record("InBandSessionRecord", fields<Triple, i32, i32, i32, i32, array_i32, i32, i32>);
inline constexpr WireType OutOfBandA = record("OutOfBandA", fields<D, i32, i16, GuidValue>);
inline constexpr WireType OutOfBandMember = record("OutOfBandMember", fields<D, unknown, i8>);
inline constexpr WireType array_OutOfBandMember = array_of(OutOfBandMember);
inline constexpr WireType OutOfBandB =
    record("OutOfBandB", fields<e16, array_OutOfBandMember, i64, i32, i32, i16, GuidValue>);
inline constexpr WireType SpaceItem = record("SpaceItem", fields<i64, i64, i64, unknown>);
inline constexpr WireType AllocationSpaceStatus =
    record("AllocationSpaceStatus", fields<interface_7FB17A3F, i64, i64, i64, i32, i32, i32>);
inline constexpr WireType SpaceBand = record("SpaceBand", fields<i32, i64, i64>);
inline constexpr WireType ReservationRecord =
    record("ReservationRecord", fields<i32, i32, i32, GuidValue>);
inline constexpr WireType SpaceReservationRecord =
    record("SpaceReservationRecord", fields<e16, unknown, D, ReservationRecord, i32>);
inline constexpr WireType PoolRange = record("PoolRange", fields<i64, i64, i32, wstr>);
inline constexpr WireType ManagerItem =
    record("ManagerItem", fields<interface_7FB17A3F, i32, i32, i32, GuidValue>);

// The three larger records.
inline constexpr WireType seven_i32 = record(fields<i32, i32, i32, i32, i32, i32, i32>);
inline constexpr WireType unknown_BB4F7BCE = record(fields<unknown, interface_BB4F7BCE>);
inline constexpr WireType nullable_array_unknown_BB4F7BCE = nullable_array_of(unknown_BB4F7BCE);
inline constexpr WireType schedule_entry =
    record(fields<unknown, nullable_array_unknown_BB4F7BCE, i32, i32, GuidValue>);
inline constexpr WireType nullable_array_schedule_entry = nullable_array_of(schedule_entry);
inline constexpr WireType ScheduleRecord =
    record("ScheduleRecord", fields<seven_i32, seven_i32, nullable_array_schedule_entry>);

inline constexpr WireType i32_i32 = record(fields<i32, i32>);
inline constexpr WireType array_i32_i32 = array_of(i32_i32);
inline constexpr WireType policy_list_entry = record(fields<i32, i32, wstr, e16, array_i32_i32>);
inline constexpr WireType policy_row = record(fields<i32, i32, wstr, e16, i32, i32, i32, i32, i32>);
inline constexpr WireType array_policy_list_entry = array_of(policy_list_entry);
inline constexpr WireType array_policy_row = array_of(policy_row);
inline constexpr WireType ManagerPolicyRecord = record(
    "ManagerPolicyRecord",
    fields<i32, e16, e16, e16, e16, e16, i32, i32, array_policy_list_entry, array_policy_row>);

inline constexpr WireType OutOfBandC = record(
    "OutOfBandC", fields<i64, i32, i32, GuidValue, i8, i8, i8, i8, i8, i32, array_OutOfBandMember>);

// Arrays and records of single methods.
inline constexpr WireType array_i64 = array_of(i64);
inline constexpr WireType array_D = array_of(D);
inline constexpr WireType array_unknown = array_of(unknown);
inline constexpr WireType array_BB4F7BCE = array_of(interface_BB4F7BCE);
inline constexpr WireType array_InBandSessionRecord = array_of(InBandSessionRecord);
inline constexpr WireType array_PoolRange = array_of(PoolRange);
inline constexpr WireType array_SpaceItem = array_of(SpaceItem);
inline constexpr WireType array_SpaceBand = array_of(SpaceBand);
inline constexpr WireType array_SpaceReservationRecord = array_of(SpaceReservationRecord);
inline constexpr WireType array_ScheduleRecord = array_of(ScheduleRecord);
inline constexpr WireType array_ReservationRecord = array_of(ReservationRecord);
inline constexpr WireType array_ManagerItem = array_of(ManagerItem);
inline constexpr WireType array_OutOfBandC = array_of(OutOfBandC);

inline constexpr WireType entity_identity = record(fields<interface_979FAA83, array_BB4F7BCE>);
inline constexpr WireType session_request = record(fields<Triple, i32, i32, i32, i32, array_i32>);
inline constexpr WireType wstr_i32 = record(fields<wstr, i32>);
inline constexpr WireType array_wstr_i32 = array_of(wstr_i32);
inline constexpr WireType i32_i64_i64 = record(fields<i32, i64, i64>);
inline constexpr WireType array_i32_i64_i64 = array_of(i32_i64_i64);
inline constexpr WireType band_update = record(fields<array_i32_i64_i64, array_i32>);
inline constexpr WireType space_update = record(fields<array_SpaceItem, array_i64>);
inline constexpr WireType space_reservations =
    record(fields<i32, i32, i32, i32, array_SpaceReservationRecord>);
inline constexpr WireType i32_unknown = record(fields<i32, unknown>);
inline constexpr WireType space_properties =
    record(fields<i32, i32, array_PoolRange, i32, i32_unknown>);
inline constexpr WireType space_slot = record(fields<i64, i64, i32, i16, unknown>);
inline constexpr WireType i32_SpaceBand = record(fields<i32, SpaceBand>);
inline constexpr WireType array_i32_SpaceBand = array_of(i32_SpaceBand);
inline constexpr WireType manager_summary = record(fields<i32, unknown, i32, i32, i32, i32>);
inline constexpr WireType e16_i32 = record(fields<e16, i32>);
inline constexpr WireType array_e16_i32 = array_of(e16_i32);
inline constexpr WireType property_and_7FB17A3F =
    record(fields<allocation_space_property, interface_7FB17A3F>);
inline constexpr WireType array_property_and_7FB17A3F = array_of(property_and_7FB17A3F);
inline constexpr WireType i64_OutOfBandA = record(fields<i64, OutOfBandA>);
inline constexpr WireType array_i64_OutOfBandA = array_of(i64_OutOfBandA);

// The methods of each interface, slot by slot.
inline constexpr Method in_band_state_events_methods[] = {
    method<3, in<unknown>, in<InBandStateA>>(),
    method<4, in<unknown>, in<InBandStateB>>(),
};
inline constexpr Method switchable_entity_methods[] = {
    method<3, out<entity_identity>>(),
};
inline constexpr Method in_band_session_events_methods[] = {
    method<3, in<unknown>>(),
    method<4, in<unknown>, in<InBandSessionRecord>>(),
    method<5, in<unknown>, in<InBandSessionRecord>>(),
    method<6, in<unknown>, in_by_value<Triple>>(),
};
inline constexpr Method out_of_band_events_methods[] = {
    method<3, in<i64>, in<OutOfBandB>>(),
};
inline constexpr Method in_band_state_methods[] = {
    method<3, out<InBandStateA>>(),
    method<4, in<InBandStateA>>(),
    method<5, out<InBandStateB>>(),
    method<6, out<InBandStateA>, out<InBandStateB>>(),
    method<7, in<session_request>>(),
    method<8, in_by_value<Triple>>(),
    method<9, out<array_InBandSessionRecord>>(),
    method<10, in<i32>, in<GuidValue>>(),
    method<11, in<i32>>(),
    method<12, out<array_wstr_i32>>(),
    method<13, out<array_wstr_i32>>(),
};
inline constexpr Method spectrum_view_methods[] = {
    method<3, in<spectrum_view_events>>(),
    method<4, in<spectrum_view_events>>(),
};
inline constexpr Method spectrum_view_events_methods[] = {
    method<3, in<array_PoolRange>>(),
    method<4, in<band_update>>(),
    method<5, in<space_update>>(),
    method<6, in<array_SpaceItem>>(),
};
inline constexpr Method global_reservation_control_methods[] = {
    method<3, out<i32>, out<i32>>(),
    method<4, in<i32>, in<i32>>(),
};
inline constexpr Method allocation_space_reservation_events_methods[] = {
    method<3, in<unknown>, in<space_reservations>>(),
};
inline constexpr Method allocation_space_property_methods[] = {
    method<3, out<space_properties>>(),
    method<4, in<space_properties>>(),
    method<5, out<AllocationSpaceStatus>>(),
    method<6, out<array_SpaceItem>>(),
    method<7, in<i64>, out<space_slot>>(),
    method<8, out<array_SpaceItem>>(),
    method<9, out<space_reservations>>(),
    method<10, in<D>, in<ReservationRecord>>(),
    method<11, in<D>, in<i32>>(),
    method<12, in<array_D>, in<ReservationRecord>, in<i32>>(),
    method<13, in<array_D>, in<i32>>(),
    method<14>(),
    method<15, out<array_SpaceBand>>(),
    method<16, in<array_i32_SpaceBand>, out<array_i32>>(),
    method<17, out<spectrum_view>>(),
    method<18, out<enum_unknown>>(),
};
inline constexpr Method resource_scheduler_methods[] = {
    method<3, in<array_ScheduleRecord>, out<array_i32>>(),
    method<4, in<array_i32>>(),
    method<5, in<i32>, in<i32>>(),
    method<6, in<array_i32>, in<array_ScheduleRecord>, out<array_i32>>(),
};
inline constexpr Method switching_manager_methods[] = {
    method<3, in<array_D>, in<i32>>(),
    method<4, in<array_D>>(),
    method<5, in<array_D>>(),
    method<6, in<D>, out<manager_summary>>(),
    method<7, in<D>, out<array_ReservationRecord>>(),
    method<8, in<D>, in<array_ReservationRecord>>(),
    method<9, in<D>, out<array_ManagerItem>>(),
    method<10, in<D>, in<array_ManagerItem>>(),
    method<11, in<D>, out<array_ManagerItem>, out<array_e16_i32>>(),
    method<12, out<array_property_and_7FB17A3F>>(),
    method<13, in<unknown>, out<ManagerPolicyRecord>>(),
    method<14, in<unknown>, in<ManagerPolicyRecord>>(),
};
inline constexpr Method allocation_space_status_events_methods[] = {
    method<3, in<unknown>, in<AllocationSpaceStatus>>(),
};
inline constexpr Method out_of_band_methods[] = {
    method<3, in<i64>, out<OutOfBandA>>(),
    method<4, in<i64>, in<OutOfBandA>>(),
    method<5, out<i64>, in<OutOfBandA>>(),
    method<6, in<i64>, in<i64>>(),
    method<7, in<i64>>(),
    method<8, in<i64>>(),
    method<9, in<i64>>(),
    method<10, in<array_OutOfBandC>>(),
    method<11, in<array_i64_OutOfBandA>>(),
    method<12, in<i64>, out<OutOfBandB>>(),
    method<13, in<i64>, out<OutOfBandA>, out<OutOfBandB>>(),
    method<14, in<i64>, in<unknown>>(),
    method<15, in<i64>, in<unknown>>(),
    method<16, in<i64>, in<unknown>>(),
};
inline constexpr Method in_band_service_methods[] = {
    method<3, in<array_unknown>, in<i32>, in<interface_EE8A3350>, out<interface_49103694>>(),
};

// Ascending by the raw bytes of the identifiers, which the lookup below relies on.
inline constexpr std::array<InterfaceDescription, 15> interface_catalogue{{
    {IID_IInBandStateEvents, "IInBandStateEvents", 3 + 2, in_band_state_events_methods},
    {IID_ISwitchableEntity, "ISwitchableEntity", 3 + 1, switchable_entity_methods},
    {IID_IInBandSessionEvents, "IInBandSessionEvents", 3 + 4, in_band_session_events_methods},
    {IID_IOutOfBandEvents, "IOutOfBandEvents", 3 + 1, out_of_band_events_methods},
    {IID_IInBandState, "IInBandState", 3 + 11, in_band_state_methods},
    {IID_ISpectrumView, "ISpectrumView", 3 + 2, spectrum_view_methods},
    {IID_ISpectrumViewEvents, "ISpectrumViewEvents", 3 + 4, spectrum_view_events_methods},
    {IID_IGlobalReservationControl, "IGlobalReservationControl", 3 + 2,
     global_reservation_control_methods},
    {IID_IAllocationSpaceReservationEvents, "IAllocationSpaceReservationEvents", 3 + 1,
     allocation_space_reservation_events_methods},
    {IID_IAllocationSpaceProperty, "IAllocationSpaceProperty", 3 + 16,
     allocation_space_property_methods},
    {IID_IResourceScheduler, "IResourceScheduler", 3 + 4, resource_scheduler_methods},
    {IID_ISwitchingManager, "ISwitchingManager", 3 + 12, switching_manager_methods},
    {IID_IAllocationSpaceStatusEvents, "IAllocationSpaceStatusEvents", 3 + 1,
     allocation_space_status_events_methods},
    {IID_IOutOfBand, "IOutOfBand", 3 + 14, out_of_band_methods},
    {IID_IInBandService, "IInBandService", 3 + 1, in_band_service_methods},
}};

// The proxy/stub factory is registered and served under the first interface's identifier.
inline constexpr CLSID factory_clsid = interface_catalogue.front().iid;

// An identifier's 16 bytes as they lie in memory (fields little-endian).
constexpr std::array<std::uint8_t, 16> iid_bytes(const IID& iid) noexcept {
  auto byte = [](std::uint32_t value, int index) {
    return static_cast<std::uint8_t>(value >> (8 * index));
  };
  return {byte(iid.Data1, 0), byte(iid.Data1, 1), byte(iid.Data1, 2), byte(iid.Data1, 3),
          byte(iid.Data2, 0), byte(iid.Data2, 1), byte(iid.Data3, 0), byte(iid.Data3, 1),
          iid.Data4[0],       iid.Data4[1],       iid.Data4[2],       iid.Data4[3],
          iid.Data4[4],       iid.Data4[5],       iid.Data4[6],       iid.Data4[7]};
}

constexpr bool iid_less(const IID& a, const IID& b) noexcept { return iid_bytes(a) < iid_bytes(b); }

static_assert(std::adjacent_find(interface_catalogue.begin(), interface_catalogue.end(),
                                 [](const InterfaceDescription& a, const InterfaceDescription& b) {
                                   return !iid_less(a.iid, b.iid);
                                 }) == interface_catalogue.end(),
              "the catalogue must be strictly ascending by identifier bytes");

// The index of the interface with this identifier: a binary search in table order.
constexpr std::optional<std::size_t> find_interface(const IID& iid) noexcept {
  std::size_t low = 0;
  std::size_t high = interface_catalogue.size();
  while (low < high) {
    std::size_t middle = low + (high - low) / 2;
    const IID& candidate = interface_catalogue[middle].iid;
    if (iid_less(candidate, iid))
      low = middle + 1;
    else if (iid_less(iid, candidate))
      high = middle;
    else
      return middle;
  }
  return std::nullopt;
}

}  // namespace com::marshal
