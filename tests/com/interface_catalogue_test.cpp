#include "com/interface_catalogue.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "com/guid_text.hpp"

namespace {

using namespace com::marshal;

TEST(InterfaceCatalogue, HoldsTheTableInAscendingIdentifierOrderAndFindsEachEntry) {
  struct Row {
    std::string_view name, iid;
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
    ASSERT_EQ(description.methods.size() + 3, description.method_count);
    for (std::size_t m = 0; m < description.methods.size(); ++m)
      EXPECT_EQ(description.methods[m].slot, m + 3);
    // Lookup searches the raw bytes, so the table must ascend in them.
    if (i > 0) {
      EXPECT_LT(std::memcmp(&interface_catalogue[i - 1].iid, &description.iid, sizeof(IID)), 0);
    }
    EXPECT_EQ(find_interface(description.iid), i);
  }
  EXPECT_EQ(factory_clsid, interface_catalogue[0].iid);
}

TEST(InterfaceCatalogue, FindsNothingForOtherIdentifiers) {
  IID near_first = IID_IInBandStateEvents;
  near_first.Data4[7] = 0x6F;
  const IID absent[] = {
      IID_IUnknown, {}, near_first,
      {0xFFFFFFFF, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      // The first field byte-swapped: the same digits, another place in memory order.
      {0x06384A2C, 0x2767, 0x4684, {0x90, 0xDC, 0xF4, 0x2C, 0xF4, 0xFC, 0xBA, 0x6E}},
  };
  for (const IID& iid : absent)
    EXPECT_FALSE(find_interface(iid).has_value()) << com::guid_text<char>(iid).c_str();
}

}  // namespace
