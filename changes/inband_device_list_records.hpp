// The lists kept per in-band device: modulation-and-coding entries and reservations, the latter
// in their current and their older layout.
#pragma once

#include "changes/record_type.hpp"

namespace data::inband_device_lists {

inline constexpr Field InBandModcodFields[] = {
    value_field("BitRate", ValueKind::data_rate),
    value_field("Threshold", ValueKind::data_rate),
    value_field("Bandwidth", ValueKind::bandwidth),
    modcod_field("ModCod"),
};
inline constexpr RecordType InBandModcodRecord{InBandModcodFields};
inline constexpr KeyPart InBandModcodKey[] = {{"BitRate", ValueKind::data_rate}};
inline constexpr ElementListType InBandModcodElements{InBandModcodRecord, InBandModcodKey};

// Reservations of both layouts are keyed by their domain device.
inline constexpr KeyPart InBandReservationKey[] = {{"Domain", ValueKind::device_reference}};

inline constexpr Field InBandReservationFields[] = {
    value_field("Domain", ValueKind::device_reference),
    value_field("Enabled", ValueKind::boolean),
    value_field("MaxDataRate", ValueKind::data_rate),
    value_field("MinDataRate", ValueKind::data_rate),
    modcod_field("ModCod"),
};
inline constexpr RecordType InBandReservationRecord{InBandReservationFields};
inline constexpr ElementListType InBandReservationElements{InBandReservationRecord,
                                                           InBandReservationKey};

inline constexpr Field InBandReservationV0Fields[] = {
    value_field("Domain", ValueKind::device_reference),
    value_field("Enabled", ValueKind::boolean),
    value_field("DataRate", ValueKind::data_rate),
    modcod_field("ModCod"),
};
inline constexpr RecordType InBandReservationV0Record{InBandReservationV0Fields};
inline constexpr ElementListType InBandReservationV0Elements{InBandReservationV0Record,
                                                             InBandReservationKey};

}  // namespace data::inband_device_lists
