// The allocation space record in its current and three older layouts, with its HDNA settings
// and the two bandwidth pool element types.
#pragma once

#include "changes/record_type.hpp"

namespace data::allocation_space {

// Pools of both element types are keyed by their range.
inline constexpr KeyPart BandwidthPoolKey[] = {
    {"Base", ValueKind::frequency},
    {"Top", ValueKind::frequency},
};

inline constexpr Field BandwidthPoolV0Fields[] = {
    value_field("Base", ValueKind::frequency),
    value_field("Top", ValueKind::frequency),
};
inline constexpr RecordType BandwidthPoolV0{BandwidthPoolV0Fields};
inline constexpr ElementListType BandwidthPoolV0Elements{BandwidthPoolV0, BandwidthPoolKey};

inline constexpr Field BandwidthPoolFields[] = {
    value_field("Base", ValueKind::frequency),
    value_field("Top", ValueKind::frequency),
    value_field("Enabled", ValueKind::boolean),
    value_field("Label", ValueKind::label),
};
inline constexpr RecordType BandwidthPool{BandwidthPoolFields};
inline constexpr ElementListType BandwidthPoolElements{BandwidthPool, BandwidthPoolKey};

inline constexpr Field HdnaSettingsFields[] = {
    value_field("Enabled", ValueKind::signed_integer),
    value_field("ControllerDevice", ValueKind::device_reference),
};
inline constexpr RecordType HdnaSettings{HdnaSettingsFields};

// The record's fields; each layout lists the ones it has.
inline constexpr Field GuardBand = value_field("GuardBand", ValueKind::unsigned_integer);
inline constexpr Field SwitchAllOnInBandRoamAway =
    value_field("SwitchAllOnInBandRoamAway", ValueKind::signed_integer);
inline constexpr Field BandwidthPools = list_field("BandwidthPools", BandwidthPoolElements);
inline constexpr Field BandwidthPoolsV0 = list_field("BandwidthPools", BandwidthPoolV0Elements);

inline constexpr Field AllocationSpaceFields[] = {
    value_field("GuardBand_c0", ValueKind::unsigned_integer),
    value_field("GuardBand_c1", ValueKind::unsigned_integer),
    BandwidthPools,
    SwitchAllOnInBandRoamAway,
    nested_field("Hdna", HdnaSettings),
};
inline constexpr Field AllocationSpaceV2Fields[] = {GuardBand, BandwidthPools,
                                                    SwitchAllOnInBandRoamAway};
inline constexpr Field AllocationSpaceV1Fields[] = {GuardBand, BandwidthPoolsV0,
                                                    SwitchAllOnInBandRoamAway};
inline constexpr Field AllocationSpaceV0Fields[] = {GuardBand, BandwidthPoolsV0};

inline constexpr RecordType AllocationSpaceRecord{AllocationSpaceFields};
inline constexpr RecordType AllocationSpaceRecordV2{AllocationSpaceV2Fields};
inline constexpr RecordType AllocationSpaceRecordV1{AllocationSpaceV1Fields};
inline constexpr RecordType AllocationSpaceRecordV0{AllocationSpaceV0Fields};

}  // namespace data::allocation_space
