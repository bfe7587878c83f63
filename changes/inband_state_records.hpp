// The in-band state record with its channels, their home carriers and the rate limits.
#pragma once

#include "changes/record_type.hpp"

namespace data::inband_state {

// Stands under a channel as "Limit" and at the top as the ZARN limits, with the same names.
inline constexpr Field RateLimitFields[] = {
    value_field("Enabled", ValueKind::boolean),
    value_field("Minimum", ValueKind::data_rate),
    value_field("Maximum", ValueKind::data_rate),
};
inline constexpr RecordType RateLimitRecord{RateLimitFields};

inline constexpr Field HomeFields[] = {
    value_field("Device", ValueKind::device_reference),
    value_field("Frequency", ValueKind::frequency),
    value_field("BitRate", ValueKind::data_rate),
    value_field("Power", ValueKind::power),
    modcod_field("ModCod"),
};
inline constexpr RecordType HomeRecord{HomeFields};

inline constexpr Field ChannelFields[] = {
    value_field("Enabled", ValueKind::boolean),
    value_field("Device", ValueKind::device_reference),
    nested_field("Home", HomeRecord),
    nested_field("Limit", RateLimitRecord),
};
inline constexpr RecordType ChannelRecord{ChannelFields};

inline constexpr Field InBandStateFields[] = {
    value_field("Priority", ValueKind::signed_integer),
    nested_field("TxChannel", ChannelRecord),
    nested_field("RxChannel", ChannelRecord),
    nested_field("ZarnTxLimit", RateLimitRecord),
    nested_field("ZarnRxLimit", RateLimitRecord),
};
inline constexpr RecordType InBandStateRecord{InBandStateFields};

}  // namespace data::inband_state
