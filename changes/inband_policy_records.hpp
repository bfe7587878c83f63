// The in-band policy record in its current and three older layouts, with its distribution list,
// destination and application policy elements.
#pragma once

#include "changes/record_type.hpp"

namespace data::inband_policy {

inline constexpr Field DestinationFields[] = {
    value_field("Address", ValueKind::ipv4_address),
    value_field("Mask", ValueKind::ipv4_address),
};
inline constexpr RecordType DestinationRecord{DestinationFields};
inline constexpr KeyPart DestinationKey[] = {
    {"Address", ValueKind::ipv4_address},
    {"Mask", ValueKind::ipv4_address},
};
inline constexpr ElementListType DestinationElements{DestinationRecord, DestinationKey};

inline constexpr Field DistributionListFields[] = {
    value_field("WillInherit", ValueKind::signed_integer),
    value_field("Target", ValueKind::ipv4_address),
    value_field("Label", ValueKind::label),
    value_field("Enable", ValueKind::inband_enable),
    list_field("Destinations", DestinationElements),
};
inline constexpr RecordType DistributionListRecord{DistributionListFields};
inline constexpr KeyPart DistributionListKey[] = {{"Target", ValueKind::ipv4_address}};
inline constexpr ElementListType DistributionListElements{DistributionListRecord,
                                                          DistributionListKey};

// Nine fields, so a modified application policy carries a 2-byte mask.
inline constexpr Field ApplicationPolicyFields[] = {
    value_field("WillInherit", ValueKind::boolean),
    value_field("Type", ValueKind::unsigned_integer),
    value_field("Label", ValueKind::label),
    value_field("Enable", ValueKind::inband_enable),
    value_field("Priority", ValueKind::signed_integer),
    value_field("TxMinimum", ValueKind::data_rate),
    value_field("TxMaximum", ValueKind::data_rate),
    value_field("RxMinimum", ValueKind::data_rate),
    value_field("RxMaximum", ValueKind::data_rate),
};
inline constexpr RecordType ApplicationPolicyRecord{ApplicationPolicyFields};
inline constexpr KeyPart ApplicationPolicyKey[] = {{"Type", ValueKind::unsigned_integer}};
inline constexpr ElementListType ApplicationPolicyElements{ApplicationPolicyRecord,
                                                           ApplicationPolicyKey};

// The policy's fields; each layout lists the ones it has, in its own order.
inline constexpr Field WillInherit = value_field("WillInherit", ValueKind::signed_integer);
inline constexpr Field EnableLra = value_field("EnableLra", ValueKind::inband_enable);
inline constexpr Field EnableLqc = value_field("EnableLqc", ValueKind::inband_enable);
inline constexpr Field EnableTavo = value_field("EnableTavo", ValueKind::inband_enable);
inline constexpr Field EnableExcess = value_field("EnableExcess", ValueKind::inband_enable);
inline constexpr Field EnableEntry = value_field("EnableEntry", ValueKind::entry_rate_option);
inline constexpr Field ExcessBitrate = value_field("ExcessBitrate", ValueKind::data_rate);
inline constexpr Field EntryBitrate = value_field("EntryBitrate", ValueKind::data_rate);
inline constexpr Field DistributionLists =
    list_field("DistributionLists", DistributionListElements);
inline constexpr Field ApplicationPolicies =
    list_field("ApplicationPolicies", ApplicationPolicyElements);

inline constexpr Field InBandPolicyFields[] = {
    WillInherit, EnableLra,     EnableLqc,    EnableTavo,        EnableExcess,
    EnableEntry, ExcessBitrate, EntryBitrate, DistributionLists, ApplicationPolicies,
};
inline constexpr Field InBandPolicyV2Fields[] = {
    WillInherit,  EnableLra,     EnableLqc,         EnableTavo,
    EnableExcess, ExcessBitrate, DistributionLists, ApplicationPolicies,
};
inline constexpr Field InBandPolicyV1Fields[] = {
    WillInherit,   EnableLqc,         EnableTavo,          EnableExcess,
    ExcessBitrate, DistributionLists, ApplicationPolicies,
};
inline constexpr Field InBandPolicyV0Fields[] = {
    WillInherit, EnableTavo, EnableExcess, ExcessBitrate, DistributionLists, ApplicationPolicies,
};

inline constexpr RecordType InBandPolicyRecord{InBandPolicyFields};
inline constexpr RecordType InBandPolicyV2Record{InBandPolicyV2Fields};
inline constexpr RecordType InBandPolicyV1Record{InBandPolicyV1Fields};
inline constexpr RecordType InBandPolicyV0Record{InBandPolicyV0Fields};

}  // namespace data::inband_policy
