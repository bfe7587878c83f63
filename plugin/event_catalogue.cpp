#include "plugin/event_catalogue.hpp"

#include "changes/allocation_space_records.hpp"
#include "changes/field_changes.hpp"
#include "changes/inband_device_lists_changed.hpp"
#include "changes/inband_policy_records.hpp"
#include "changes/inband_state_records.hpp"
#include "changes/modification_text.hpp"
#include "events/device_allocatable.hpp"
#include "events/failure_list.hpp"
#include "events/inband_switch.hpp"
#include "events/outofband_switch.hpp"
#include "events/recovery_mode.hpp"
#include "events/satellite_switch.hpp"
#include "events/space_database_tagged.hpp"
#include "events/space_exclusion.hpp"
#include "plugin/entry.hpp"
#include "plugin/errors.hpp"

namespace ui::event {
namespace {

constexpr GUID inband_state_changed{0xE75FCDFC, 0xEBF9, 0x4EB7, {0xA6, 0xCD, 0x6E, 0x34, 0x16, 0x95, 0x44, 0x2E}};
constexpr GUID inband_policy_changed{0x47761D93, 0xAD87, 0x4314, {0xB7, 0x8B, 0xBE, 0x28, 0x6D, 0x61, 0x14, 0xD7}};
constexpr GUID inband_policy_changed_v0{0x32AC1F76, 0xCB0C, 0x491B, {0xB2, 0xD9, 0x7B, 0xF7, 0x41, 0x7F, 0xBD, 0xB1}};
constexpr GUID inband_policy_changed_v1{0xB9178438, 0x058D, 0x49F7, {0x90, 0x8A, 0xC8, 0x68, 0x5A, 0x8F, 0x56, 0x69}};
constexpr GUID inband_policy_changed_v2{0x80FC9403, 0x5AA8, 0x4D9C, {0x96, 0x2A, 0x11, 0xD5, 0x19, 0x7A, 0x95, 0xF7}};
constexpr GUID space_database{0x15FB2087, 0xB617, 0x436E, {0xAA, 0x2D, 0xEF, 0x6B, 0x2B, 0xA1, 0x7E, 0x81}};
constexpr GUID space_database_v0{0xA03758A6, 0x2081, 0x45F5, {0xA5, 0xD1, 0x2E, 0x56, 0x10, 0x1C, 0xEA, 0x78}};
constexpr GUID space_database_v1{0x8956F0D4, 0x9546, 0x421A, {0xA5, 0x58, 0x57, 0xEA, 0x18, 0xB4, 0x46, 0xBB}};
constexpr GUID space_database_v2{0x0FA46FA6, 0x48E6, 0x4A6E, {0x94, 0xE6, 0xCE, 0xAE, 0x68, 0x3B, 0x5B, 0x67}};
constexpr GUID inband_switch{0x19B16A25, 0x7D9E, 0x4683, {0x9B, 0x99, 0xED, 0x3E, 0xAC, 0x31, 0x90, 0xA3}};
constexpr GUID inband_switch_v0{0x579C8A57, 0xF0A4, 0x40EE, {0x96, 0x48, 0x37, 0x7C, 0xE8, 0x57, 0x25, 0x12}};
constexpr GUID inband_modcods_changed{0x0D5D375C, 0x2F13, 0x4C2A, {0xA1, 0x8B, 0xA1, 0x62, 0x3C, 0x74, 0x5D, 0xC9}};
constexpr GUID inband_reservations_changed{0x2D0FD8BA, 0x1FB6, 0x4AE0, {0x8C, 0x49, 0xD2, 0x49, 0x4F, 0xD3, 0x15, 0x7A}};
constexpr GUID inband_reservations_changed_v0{0xBE9CB57C, 0xB916, 0x4E1A, {0x81, 0xCF, 0xE9, 0x8B, 0x53, 0x06, 0xC0, 0xF1}};
constexpr GUID inband_reservations_changed_multi{0xD757A97F, 0x0E5D, 0x4D22, {0x92, 0x2D, 0x89, 0xED, 0x4B, 0x87, 0x7B, 0xE0}};
constexpr GUID device_allocatable_changed{0xBDF2EE1D, 0xD825, 0x44BF, {0x8D, 0x0E, 0x8C, 0xAC, 0xB5, 0x1F, 0x9A, 0xC9}};
constexpr GUID satellite_switch{0xB2EFEC69, 0xCDE5, 0x444C, {0x9E, 0x8F, 0x61, 0x0F, 0xB8, 0x3F, 0x47, 0xDA}};
constexpr GUID outofband_switch{0xC35CDBA7, 0xF0DE, 0x41A8, {0xA6, 0x3F, 0xCF, 0xF6, 0x36, 0x93, 0x9A, 0x4F}};
constexpr GUID managed_recovery_entered{0x36A87D25, 0x60BB, 0x4581, {0x88, 0x35, 0x49, 0xA9, 0xD9, 0xC3, 0x1F, 0x41}};
constexpr GUID managed_recovery_exited{0xCDFCE450, 0x4B4B, 0x4806, {0xB2, 0x83, 0xC9, 0x59, 0xE9, 0x26, 0xB0, 0x5B}};
constexpr GUID allocatable_recovery_entered{0x77AE5179, 0xA403, 0x4D76, {0x9C, 0x70, 0x04, 0x57, 0x6B, 0x52, 0xF7, 0x2E}};
constexpr GUID allocatable_recovery_exited{0xF60D9DD4, 0x21EA, 0x426C, {0xB1, 0x24, 0x15, 0xC3, 0x3B, 0x38, 0xA7, 0x96}};
constexpr GUID exclusion_created{0xF76B8226, 0x0295, 0x4D2C, {0x97, 0xC7, 0xF3, 0xBA, 0xE4, 0xC1, 0x2F, 0x62}};
constexpr GUID exclusion_deleted{0x7F15F89A, 0x83EF, 0x42DD, {0x96, 0x70, 0x6B, 0xA8, 0x28, 0x6D, 0x50, 0x0D}};
constexpr GUID exclusion_changed{0x300302AA, 0xFE6D, 0x4DBC, {0x94, 0x90, 0xB8, 0x42, 0xF9, 0x2C, 0x3C, 0x4C}};
constexpr GUID setup_failure_added{0x9888D44A, 0x58B7, 0x47B0, {0x9B, 0xEA, 0x44, 0xF6, 0x8F, 0x58, 0xBD, 0xE7}};
constexpr GUID takedown_failure_added{0x89B654D2, 0xA847, 0x43FA, {0x84, 0x05, 0xD2, 0x5D, 0x73, 0x56, 0x2A, 0xD6}};
constexpr GUID setup_failure_removed{0x3DBCE266, 0xA4E7, 0x48AC, {0x8B, 0x56, 0x9B, 0x99, 0xC1, 0xC3, 0xBC, 0x50}};
constexpr GUID takedown_failure_removed{0xC47B8195, 0xF2CF, 0x4E17, {0xAC, 0x5F, 0x9F, 0x3A, 0xC5, 0x6F, 0xD2, 0x3E}};

// Rows that share an entry hold the same instance: an entry is identified by its renderer.
constexpr PFN_EVENTUI_TEXT modification_text = &text_entry<render_modification_text>;
// Rows 12 to 14 read the device before the modification text.
constexpr PFN_EVENTUI_TEXT device_change_text = &text_entry<render_inband_device_change_text>;

// Row 15 has an entry of its own that behaves like the shared modification text.
std::uint32_t render_multi_device_modification_text(text_output& out, ByteCursor& cursor) {
  return render_modification_text(out, cursor);
}

}  // namespace

// clang-format off
const EventCatalogueEntry EventCatalogue[event_catalogue_size] = {
  /*  0 */ {&inband_state_changed, &xml_entry<render_change_set_xml<data::inband_state::InBandStateRecord>>, nullptr, modification_text, u"InBand State Changed"},
  /*  1 */ {&inband_policy_changed, &xml_entry<render_change_set_xml<data::inband_policy::InBandPolicyRecord>>, nullptr, modification_text, u"InBand Policy Changed"},
  /*  2 */ {&inband_policy_changed_v0, &xml_entry<render_change_set_xml<data::inband_policy::InBandPolicyV0Record>>, nullptr, modification_text, u"InBand Policy Changed v0"},
  /*  3 */ {&inband_policy_changed_v1, &xml_entry<render_change_set_xml<data::inband_policy::InBandPolicyV1Record>>, nullptr, modification_text, u"InBand Policy Changed v1"},
  /*  4 */ {&inband_policy_changed_v2, &xml_entry<render_change_set_xml<data::inband_policy::InBandPolicyV2Record>>, nullptr, modification_text, u"InBand Policy Changed v2"},
  /*  5 */ {&space_database, &xml_entry<render_change_set_xml<data::allocation_space::AllocationSpaceRecord>>, nullptr, modification_text, u"Allocation Space Database Event"},
  /*  6 */ {&space_database_v0, &xml_entry<render_change_set_xml<data::allocation_space::AllocationSpaceRecordV0>>, nullptr, modification_text, u"Allocation Space Database Event v0"},
  /*  7 */ {&space_database_v1, &xml_entry<render_change_set_xml<data::allocation_space::AllocationSpaceRecordV1>>, nullptr, modification_text, u"Allocation Space Database Event v1"},
  /*  8 */ {&space_database_v2, &xml_entry<render_change_set_xml<data::allocation_space::AllocationSpaceRecordV2>>, nullptr, modification_text, u"Allocation Space Database Event v2"},
  /*  9 */ {&inband_switch, &xml_entry<render_inband_switch_xml>, nullptr, &text_entry<render_inband_switch_text>, u"InBand Switch"},
  /* 10 */ {&inband_switch_v0, &xml_entry<render_inband_switch_v0_xml>, nullptr, &text_entry<render_inband_switch_v0_text>, u"InBand Switch v0"},
  /* 11 */ {&space_database_v0, &xml_entry<render_space_database_tagged_xml>, nullptr, &text_entry<render_space_database_tagged_text>, u"Allocation Space Database Event v0"},
  /* 12 */ {&inband_modcods_changed, &xml_entry<render_inband_modcods_changed_xml>, nullptr, device_change_text, u"InBand Modcods Changed"},
  /* 13 */ {&inband_reservations_changed, &xml_entry<render_inband_reservations_changed_xml>, nullptr, device_change_text, u"InBand Reservations Changed"},
  /* 14 */ {&inband_reservations_changed_v0, &xml_entry<render_inband_reservations_changed_v0_xml>, nullptr, device_change_text, u"InBand Reservations Changed v0"},
  /* 15 */ {&inband_reservations_changed_multi, &xml_entry<render_inband_reservations_changed_multi_xml>, nullptr, &text_entry<render_multi_device_modification_text>, u"InBand Reservations Changed"},
  /* 16 */ {&device_allocatable_changed, &xml_entry<render_device_allocatable_xml>, nullptr, &text_entry<render_device_allocatable_text>, u"Device Allocatable Flag Changed"},
  /* 17 */ {&satellite_switch, &xml_entry<render_satellite_switch_xml>, nullptr, &text_entry<render_satellite_switch_text>, u"Satellite Switch Event"},
  /* 18 */ {&outofband_switch, &xml_entry<render_outofband_switch_xml>, nullptr, &text_entry<render_outofband_switch_text>, u"OutOfBand Switch"},
  /* 19 */ {&managed_recovery_entered, &xml_entry<render_recovery_entered_xml>, nullptr, &text_entry<render_managed_recovery_entered_text>, u"Managed Device Entered Recovery Mode"},
  /* 20 */ {&managed_recovery_exited, &xml_entry<render_recovery_exited_xml>, nullptr, &text_entry<render_managed_recovery_exited_text>, u"Managed Device Exited Recovery Mode"},
  /* 21 */ {&allocatable_recovery_entered, &xml_entry<render_recovery_entered_xml>, nullptr, &text_entry<render_allocatable_recovery_entered_text>, u"Allocatable Device Entered Recovery Mode"},
  /* 22 */ {&allocatable_recovery_exited, &xml_entry<render_recovery_exited_xml>, nullptr, &text_entry<render_allocatable_recovery_exited_text>, u"Allocatable Device Exited Recovery Mode"},
  /* 23 */ {&exclusion_created, &xml_entry<render_exclusion_xml>, nullptr, &text_entry<render_exclusion_created_text>, u"Space Segment Exclusion Created"},
  /* 24 */ {&exclusion_deleted, &xml_entry<render_exclusion_xml>, nullptr, &text_entry<render_exclusion_deleted_text>, u"Space Segment Exclusion Deleted"},
  /* 25 */ {&exclusion_changed, &xml_entry<render_exclusion_change_xml>, nullptr, &text_entry<render_exclusion_changed_text>, u"Space Segment Exclusion Changed"},
  /* 26 */ {&setup_failure_added, &xml_entry<render_failure_list_xml>, nullptr, &text_entry<render_setup_failure_added_text>, u"Device Added To ZARN Setup Failure List"},
  /* 27 */ {&takedown_failure_added, &xml_entry<render_failure_list_xml>, nullptr, &text_entry<render_takedown_failure_added_text>, u"Device Added To ZARN TakedownFailure List"},
  /* 28 */ {&setup_failure_removed, &xml_entry<render_failure_list_xml>, nullptr, &text_entry<render_setup_failure_removed_text>, u"Device Removed From ZARN Setup Failure List"},
  /* 29 */ {&takedown_failure_removed, &xml_entry<render_failure_list_xml>, nullptr, &text_entry<render_takedown_failure_removed_text>, u"Device Removed From ZARN Takedown Failure List"},
};
// clang-format on

}  // namespace ui::event
