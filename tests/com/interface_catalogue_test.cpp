#include "com/interface_catalogue.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "com/guid_text.hpp"

namespace {

using namespace com::marshal;

// Shapes in the notation of the interface tables: recurring records by name, D for the object
// most methods act on, other interfaces as I(name) or I({IID}).
std::string shape(const WireType& type);

std::string shape_list(std::span<const WireType* const> fields) {
  std::string text = "{";
  for (std::size_t i = 0; i < fields.size(); ++i) text += (i == 0 ? "" : ", ") + shape(*fields[i]);
  return text + "}";
}

std::string shape(const WireType& type) {
  switch (type.kind) {
    case Wire::i8:
      return "i8";
    case Wire::i16:
      return "i16";
    case Wire::i32:
      return "i32";
    case Wire::i64:
      return "i64";
    case Wire::e16:
      return "e16";
    case Wire::guid:
      return "GUID";
    case Wire::wstr:
      return "wstr";
    case Wire::interface_pointer:
      if (&type == &D) return "D";
      if (!type.name.empty()) return "I(" + std::string(type.name) + ")";
      return "I(" + std::string(com::guid_text<char>(type.iid).braced()) + ")";
    case Wire::record:
      return type.name.empty() ? shape_list(type.fields) : std::string(type.name);
    case Wire::array:
      return (type.nullable ? "nullable array<" : "array<") + shape(*type.element) + ">";
  }
  return "?";
}

std::string parameters_of(const Method& method) {
  std::string text;
  for (const Parameter& p : method.parameters) {
    if (!text.empty()) text += "; ";
    text += (p.direction == Direction::in ? "in " : "out ") + shape(*p.type);
    if (p.by_value) text += " by value";
  }
  return text;
}

const Method& method_at(std::string_view interface_name, unsigned slot) {
  for (const auto& description : interface_catalogue)
    if (description.name == interface_name) return description.methods[slot - 3];
  throw std::invalid_argument(std::string(interface_name));
}

TEST(InterfaceCatalogue, HoldsTheTableInItsOrder) {
  struct Row {
    std::string_view name;
    std::string_view iid;
    unsigned methods_after_iunknown;
  };
  constexpr Row table[] = {
      {"IInBandStateEvents", "{2C4A3806-2767-4684-90DC-F42CF4FCBA6E}", 2},
      {"ISwitchableEntity", "{68DABA21-A650-4D31-8FA9-9F9915BB3FB0}", 1},
      {"IInBandSessionEvents", "{F7EBA847-9AE1-4F87-A8F1-A3EEB239A9E6}", 4},
      {"IOutOfBandEvents", "{04C99A4A-83B1-4BB2-8964-C730F1A738FB}", 1},
      {"IInBandState", "{090E264C-4460-4C40-889F-154A3BEBB291}", 11},
      {"ISpectrumView", "{39919957-33B3-4248-9244-966FBD9D0194}", 2},
      {"ISpectrumViewEvents", "{116F806F-AB7D-4B09-9CB2-DE5659B5D5A6}", 4},
      {"IGlobalReservationControl", "{221BF277-4AEE-462F-A01E-0BBE9F882F22}", 2},
      {"IAllocationSpaceReservationEvents", "{FC86487A-FE79-49F3-8169-5A2D163594A5}", 1},
      {"IAllocationSpaceProperty", "{43EDE190-F70E-4DC6-9FDC-D29E1021E724}", 16},
      {"IResourceScheduler", "{25033F93-6D31-4D5F-978C-5241F7F40BEC}", 4},
      {"ISwitchingManager", "{E2F5A1C8-C96D-422E-B5BD-9180D1682A5C}", 12},
      {"IAllocationSpaceStatusEvents", "{D142A0D3-29F0-43FD-8200-ED4FADC3E7A8}", 1},
      {"IOutOfBand", "{90CB4BDA-12A6-49A9-A9EE-FA942811A00E}", 14},
      {"IInBandService", "{6D9062EA-B56B-4B08-AB3C-DF7CE43B3009}", 1},
  };
  ASSERT_EQ(interface_catalogue.size(), std::size(table));
  for (std::size_t i = 0; i < std::size(table); ++i) {
    const InterfaceDescription& description = interface_catalogue[i];
    SCOPED_TRACE(description.name);
    EXPECT_EQ(description.name, table[i].name);
    EXPECT_EQ(com::guid_text<char>(description.iid).braced(), table[i].iid);
    EXPECT_EQ(description.method_count, 3 + table[i].methods_after_iunknown);
  }
  EXPECT_EQ(factory_clsid, interface_catalogue[0].iid);
}

TEST(InterfaceCatalogue, IsAscendingByTheRawBytesOfTheIdentifiers) {
  for (std::size_t i = 1; i < interface_catalogue.size(); ++i)
    EXPECT_LT(
        std::memcmp(&interface_catalogue[i - 1].iid, &interface_catalogue[i].iid, sizeof(IID)), 0)
        << interface_catalogue[i].name;
}

TEST(InterfaceCatalogue, ListsEverySlotAfterIUnknownOnce) {
  for (const InterfaceDescription& description : interface_catalogue) {
    SCOPED_TRACE(description.name);
    ASSERT_EQ(description.methods.size() + 3, description.method_count);
    for (std::size_t i = 0; i < description.methods.size(); ++i)
      EXPECT_EQ(description.methods[i].slot, i + 3);
  }
}

TEST(InterfaceCatalogue, FindsEveryInterfaceByIdentifier) {
  for (std::size_t i = 0; i < interface_catalogue.size(); ++i)
    EXPECT_EQ(find_interface(interface_catalogue[i].iid), i) << interface_catalogue[i].name;
}

TEST(InterfaceCatalogue, FindsNothingForOtherIdentifiers) {
  auto with_last_byte = [](IID iid, std::uint8_t last) {
    iid.Data4[7] = last;
    return iid;
  };
  const IID absent[] = {
      IID_IUnknown,
      IID_IEnumUnknown,
      D.iid,
      {},
      {0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      with_last_byte(IID_IInBandStateEvents, 0x6F),
      with_last_byte(IID_IInBandService, 0x08),
      with_last_byte(IID_IAllocationSpaceProperty, 0x25),
      // The first field byte-swapped: the same digits, another place in memory order.
      {0x06384A2C, 0x2767, 0x4684, {0x90, 0xDC, 0xF4, 0x2C, 0xF4, 0xFC, 0xBA, 0x6E}},
  };
  for (const IID& iid : absent)
    EXPECT_FALSE(find_interface(iid).has_value()) << com::guid_text<char>(iid).c_str();
}

TEST(InterfaceCatalogue, RecordsHaveTheirFieldsInOrder) {
  struct Definition {
    const WireType& record;
    std::string_view fields;
  };
  const Definition definitions[] = {
      {GuidValue, "{GUID, i32}"},
      {Triple, "{i32, i32, i32}"},
      {InBandStateAItem, "{D, i64, i32, i16, GuidValue}"},
      {InBandStateASide, "{i32, D, InBandStateAItem, Triple}"},
      {InBandStateA, "{i32, InBandStateASide, InBandStateASide, Triple, Triple}"},
      {InBandStateBItem, "{e16, D, i64, i32, i32, i16, GuidValue}"},
      {InBandStateB, "{e16, InBandStateBItem, InBandStateBItem}"},
      {InBandSessionRecord, "{Triple, i32, i32, i32, i32, array<i32>, i32, i32}"},
      {OutOfBandA, "{D, i32, i16, GuidValue}"},
      {OutOfBandMember, "{D, I(IUnknown), i8}"},
      {OutOfBandB, "{e16, array<OutOfBandMember>, i64, i32, i32, i16, GuidValue}"},
      {SpaceItem, "{i64, i64, i64, I(IUnknown)}"},
      {AllocationSpaceStatus,
       "{I({7FB17A3F-8C9F-4027-A7AF-EE140BA917DE}), i64, i64, i64, i32, i32, i32}"},
      {SpaceBand, "{i32, i64, i64}"},
      {ReservationRecord, "{i32, i32, i32, GuidValue}"},
      {SpaceReservationRecord, "{e16, I(IUnknown), D, ReservationRecord, i32}"},
      {PoolRange, "{i64, i64, i32, wstr}"},
      {ManagerItem, "{I({7FB17A3F-8C9F-4027-A7AF-EE140BA917DE}), i32, i32, i32, GuidValue}"},
      {ScheduleRecord,
       "{{i32, i32, i32, i32, i32, i32, i32}, {i32, i32, i32, i32, i32, i32, i32}, "
       "nullable array<{I(IUnknown), nullable array<{I(IUnknown), "
       "I({BB4F7BCE-957E-492D-8BAC-4E3A9D0D9389})}>, i32, i32, GuidValue}>}"},
      {ManagerPolicyRecord,
       "{i32, e16, e16, e16, e16, e16, i32, i32, array<{i32, i32, wstr, e16, array<{i32, i32}>}>, "
       "array<{i32, i32, wstr, e16, i32, i32, i32, i32, i32}>}"},
      {OutOfBandC, "{i64, i32, i32, GuidValue, i8, i8, i8, i8, i8, i32, array<OutOfBandMember>}"},
  };
  for (const Definition& definition : definitions)
    EXPECT_EQ(shape_list(definition.record.fields), definition.fields) << definition.record.name;
}

TEST(InterfaceCatalogue, MethodsHaveTheTablesParameters) {
  struct Sample {
    std::string_view interface_name;
    unsigned slot;
    std::string_view parameters;
  };
  constexpr Sample samples[] = {
      {"IInBandStateEvents", 4, "in I(IUnknown); in InBandStateB"},
      {"ISwitchableEntity", 3,
       "out {I({979FAA83-D3BB-411B-BDF1-736733B068C7}), "
       "array<I({BB4F7BCE-957E-492D-8BAC-4E3A9D0D9389})>}"},
      {"IInBandSessionEvents", 6, "in I(IUnknown); in Triple by value"},
      {"IInBandState", 6, "out InBandStateA; out InBandStateB"},
      {"IInBandState", 7, "in {Triple, i32, i32, i32, i32, array<i32>}"},
      {"IInBandState", 13, "out array<{wstr, i32}>"},
      {"ISpectrumViewEvents", 4, "in {array<{i32, i64, i64}>, array<i32>}"},
      {"IAllocationSpaceReservationEvents", 3,
       "in I(IUnknown); in {i32, i32, i32, i32, array<SpaceReservationRecord>}"},
      {"IAllocationSpaceProperty", 4, "in {i32, i32, array<PoolRange>, i32, {i32, I(IUnknown)}}"},
      {"IAllocationSpaceProperty", 7, "in i64; out {i64, i64, i32, i16, I(IUnknown)}"},
      {"IAllocationSpaceProperty", 12, "in array<D>; in ReservationRecord; in i32"},
      {"IAllocationSpaceProperty", 14, ""},
      {"IAllocationSpaceProperty", 16, "in array<{i32, SpaceBand}>; out array<i32>"},
      {"IResourceScheduler", 6, "in array<i32>; in array<ScheduleRecord>; out array<i32>"},
      {"ISwitchingManager", 11, "in D; out array<ManagerItem>; out array<{e16, i32}>"},
      {"ISwitchingManager", 12,
       "out array<{I(IAllocationSpaceProperty), I({7FB17A3F-8C9F-4027-A7AF-EE140BA917DE})}>"},
      {"ISwitchingManager", 14, "in I(IUnknown); in ManagerPolicyRecord"},
      {"IAllocationSpaceStatusEvents", 3, "in I(IUnknown); in AllocationSpaceStatus"},
      {"IOutOfBand", 5, "out i64; in OutOfBandA"},
      {"IOutOfBand", 11, "in array<{i64, OutOfBandA}>"},
      {"IInBandService", 3,
       "in array<I(IUnknown)>; in i32; in I({EE8A3350-799C-428D-89B9-F76B420B15BC}); "
       "out I({49103694-ACFA-4526-A30A-7DA4399062EE})"},
  };
  for (const Sample& sample : samples)
    EXPECT_EQ(parameters_of(method_at(sample.interface_name, sample.slot)), sample.parameters)
        << sample.interface_name << " slot " << sample.slot;
}

}  // namespace
