#include "samples.hpp"

#include <algorithm>
#include <string_view>
#include <utility>

#include "payload_writer.hpp"

namespace host {

namespace {

// Catalogue rows, by what their payloads carry.
enum Row : std::size_t {
  inband_state_changed = 0,
  inband_policy_changed = 1,
  inband_policy_changed_v0 = 2,
  inband_policy_changed_v1 = 3,
  inband_policy_changed_v2 = 4,
  space_database = 5,
  space_database_v0 = 6,
  space_database_v1 = 7,
  space_database_v2 = 8,
  inband_switch = 9,
  inband_switch_v0 = 10,
  space_database_tagged = 11,
  inband_modcods_changed = 12,
  inband_reservations_changed = 13,
  inband_reservations_changed_v0 = 14,
  inband_reservations_changed_multi = 15,
  device_allocatable_changed = 16,
  satellite_switch = 17,
  outofband_switch = 18,
  managed_recovery_entered = 19,
  managed_recovery_exited = 20,
  allocatable_recovery_entered = 21,
  allocatable_recovery_exited = 22,
  exclusion_created = 23,
  exclusion_deleted = 24,
  exclusion_changed = 25,
  setup_failure_added = 26,
  takedown_failure_added = 27,
  setup_failure_removed = 28,
  takedown_failure_removed = 29,
};

class SampleList {
 public:
  template <class Build>
  void add(Row row, std::string_view title, Build&& build) {
    PayloadWriter payload;
    build(payload);
    samples_.push_back({row, std::string(title), payload.take()});
  }

  std::vector<Sample> take() {
    std::stable_sort(samples_.begin(), samples_.end(),
                     [](const Sample& a, const Sample& b) { return a.row < b.row; });
    return std::move(samples_);
  }

 private:
  std::vector<Sample> samples_;
};

// Field encodings shared by several payloads.

// Switch kinds.
constexpr std::uint8_t internal = 1;
constexpr std::uint8_t diagnostic = 2;
constexpr std::uint8_t user_application = 8;
constexpr std::uint8_t automatic_application = 9;
constexpr std::uint8_t scheduled = 16;

// Switch flags.
constexpr std::uint8_t performed = 0x01;
constexpr std::uint8_t failed = 0x02;
constexpr std::uint8_t was_switched = 0x10;
constexpr std::uint8_t now_switched = 0x20;

void carrier(PayloadWriter& w, std::int32_t data_rate, std::uint64_t frequency, std::int32_t bandwidth) {
  w.i32(data_rate).u64(frequency).i32(bandwidth);
}

// A device reference: the moniker's display name (empty: none), then the device's name.
void device(PayloadWriter& w, std::u16string_view moniker, std::u16string_view name) {
  w.wstring(moniker).wstring(name);
}

// A label: signed count, then the units; count 0 carries no text.
void label(PayloadWriter& w, std::u16string_view text) { w.wstring(text); }

// The opaque modulation-and-coding value, stepped over by the renderers.
void modcod(PayloadWriter& w) { w.zeros(20); }

// Old and new value of a 4-byte field.
void change(PayloadWriter& w, std::int32_t old_value, std::int32_t new_value) { w.i32(old_value).i32(new_value); }
void frequency_change(PayloadWriter& w, std::int64_t old_value, std::int64_t new_value) {
  w.i64(old_value).i64(new_value);
}

constexpr std::uint32_t ipv4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return a << 24 | b << 16 | c << 8 | d;
}

// INBAND_IENABLE and ENTRY_RATE_OPTIONS values.
constexpr std::int32_t disable = 0;
constexpr std::int32_t enable = 1;
constexpr std::int32_t inherit = 2;
constexpr std::int32_t reservation_ideal = 3;

void add_switch_samples(SampleList& list) {
  list.add(inband_switch, "no switch required", [](PayloadWriter& w) { w.u8(internal).u8(0x00); });
  list.add(inband_switch, "a failed switch towards a switched carrier", [](PayloadWriter& w) {
    w.u8(automatic_application).u8(performed | failed | now_switched);
    w.u32(0x80004005).string("no bandwidth left in the dynamic pool");
    carrier(w, 2048000, 14250000000, 1500000);
  });
  list.add(inband_switch, "from home to a switched carrier", [](PayloadWriter& w) {
    w.u8(scheduled).u8(performed | now_switched);
    carrier(w, 2048000, 14250000000, 1500000);
  });
  list.add(inband_switch, "from a switched carrier back home", [](PayloadWriter& w) {
    w.u8(user_application).u8(performed | was_switched);
    carrier(w, 1024000, 14125000000, 750000);
  });
  list.add(inband_switch, "a new data rate on the switched carrier", [](PayloadWriter& w) {
    w.u8(diagnostic).u8(performed | was_switched | now_switched);
    carrier(w, 1024000, 14125000000, 750000);
    carrier(w, 4096000, 14300000000, 3000000);
  });
  list.add(inband_switch, "a new frequency at the same data rate", [](PayloadWriter& w) {
    w.u8(internal).u8(performed | was_switched | now_switched);
    carrier(w, 1024000, 14125000000, 750000);
    carrier(w, 1024000, 14126500000, 750000);
  });
  list.add(inband_switch, "a new bandwidth, by a kind without a name", [](PayloadWriter& w) {
    w.u8(200).u8(performed | was_switched | now_switched);
    carrier(w, 1024000, 14125000000, 750000);
    carrier(w, 1024000, 14125000000, 1000000);
  });
  list.add(inband_switch, "performed, from home to home", [](PayloadWriter& w) {
    w.u8(scheduled).u8(performed);
  });

  list.add(inband_switch_v0, "a failed switch", [](PayloadWriter& w) {
    w.u8(automatic_application).i32(static_cast<std::int32_t>(0x80004005)).string("carrier not available");
    carrier(w, 2048000, 14250000000, 1500000);
    w.i16(-150);
  });
  list.add(inband_switch_v0, "a successful switch", [](PayloadWriter& w) {
    w.u8(scheduled).i32(0);
    carrier(w, 2048000, 14250000000, 1500000);
    w.i16(1234);
  });

  list.add(outofband_switch, "a successful switch between switched carriers", [](PayloadWriter& w) {
    w.u8(performed | was_switched | now_switched).u32(1);
    carrier(w, 512000, 1610000000, 400000);
    carrier(w, 1024000, 1612500000, 800000);
  });
  list.add(outofband_switch, "no switch required", [](PayloadWriter& w) { w.u8(0x00).u32(1); });
  list.add(outofband_switch, "a failed switch towards a switched carrier", [](PayloadWriter& w) {
    w.u8(performed | now_switched).u32(4);
    carrier(w, 512000, 1610000000, 400000);
  });
  list.add(outofband_switch, "a switch that was reverted", [](PayloadWriter& w) {
    w.u8(performed | was_switched).u32(2);
    carrier(w, 256000, 1605000000, 200000);
  });

  list.add(satellite_switch, "a completed transition", [](PayloadWriter& w) {
    w.i32(0).wstring(u"Sat-East 1").wstring(u"Satellites/East-1").wstring(u"Sat-West 2").wstring(u"Satellites/West-2");
  });
  list.add(satellite_switch, "a failed transition", [](PayloadWriter& w) {
    w.i32(static_cast<std::int32_t>(0x80070005)).string("the remote did not acquire the new carrier");
  });
  // Names are free text: markup characters in them, and controls and a lone surrogate in a
  // moniker, are escaped or replaced in the document and shown as they are in the sentence.
  list.add(satellite_switch, "satellites whose names hold markup characters", [](PayloadWriter& w) {
    w.i32(0).wstring(u"R&D <East> 1").wstring(u"Satellites/\"R&D\"\tEast\n1");
    w.wstring(u"West \"2\" > 1").wstring(u"Satellites/West\x07\xD800");
  });
}

void add_device_samples(SampleList& list) {
  list.add(device_allocatable_changed, "made allocatable, without a group", [](PayloadWriter& w) {
    device(w, u"Hub-A/Modulator-3", u"Modulator 3");
    device(w, u"", u"");
    w.u8(0).u8(1);
  });
  list.add(device_allocatable_changed, "made unallocatable, in a group", [](PayloadWriter& w) {
    device(w, u"Hub-B/Demodulator-2", u"Demodulator 2");
    device(w, u"Groups/Spare", u"Spare pool");
    w.u8(1).u8(0);
  });

  list.add(managed_recovery_entered, "a device entered recovery mode", [](PayloadWriter& w) {
    w.wstring(u"Modulator 3");
  });
  list.add(managed_recovery_exited, "a device left recovery mode", [](PayloadWriter& w) {
    w.u8(1).wstring(u"Modulator 3");
  });
  list.add(allocatable_recovery_entered, "a device entered recovery mode", [](PayloadWriter& w) {
    w.wstring(u"Demodulator 2");
  });
  list.add(allocatable_recovery_exited, "a device was forced out of recovery mode", [](PayloadWriter& w) {
    w.u8(3).wstring(u"Demodulator 2");
  });

  list.add(setup_failure_added, "after a failed setup", [](PayloadWriter& w) {
    w.wstring(u"Circuit 12").i32(1);
  });
  list.add(setup_failure_added, "for a reason without a name", [](PayloadWriter& w) {
    w.wstring(u"Circuit 12").i32(7);
  });
  list.add(takedown_failure_added, "after a failed takedown", [](PayloadWriter& w) {
    w.wstring(u"Circuit 14").i32(3);
  });
  list.add(setup_failure_removed, "after a successful setup", [](PayloadWriter& w) {
    w.wstring(u"Circuit 12").i32(2);
  });
  list.add(takedown_failure_removed, "on a recovery request", [](PayloadWriter& w) {
    w.wstring(u"Circuit 14").i32(5);
  });
}

void add_exclusion_samples(SampleList& list) {
  list.add(exclusion_created, "a band excluded", [](PayloadWriter& w) {
    w.u64(14000000000).u64(14036000000);
  });
  list.add(exclusion_deleted, "an exclusion lifted", [](PayloadWriter& w) {
    w.u64(11700000000).u64(11750000000);
  });
  list.add(exclusion_changed, "an exclusion widened", [](PayloadWriter& w) {
    w.u64(14000000000).u64(14036000000).u64(14000000000).u64(14054000000);
  });
}

void add_space_database_samples(SampleList& list) {
  // Current record: GuardBand_c0, GuardBand_c1, BandwidthPools, SwitchAllOnInBandRoamAway, Hdna.
  list.add(space_database, "guard bands and the roam-away switch", [](PayloadWriter& w) {
    w.u8(0x0B);
    change(w, 100, 200);
    change(w, 50000, 25000);
    change(w, 0, 1);
  });
  list.add(space_database, "bandwidth pools removed, modified and added", [](PayloadWriter& w) {
    w.u8(0x04);
    w.u16(1).i64(14000000000).i64(14010000000).u32(1);
    label(w, u"East");
    w.u16(1).i64(14250000000).i64(14260000000).u8(0x0C);
    change(w, 1, 0);
    label(w, u"West");
    label(w, u"West (spare)");
    w.u16(1).i64(11700000000).i64(11705500000).u32(1);
    label(w, u"");
  });
  list.add(space_database, "the HDNA controller", [](PayloadWriter& w) {
    w.u8(0x10).u8(0x03);
    change(w, 0, 1);
    device(w, u"", u"");
    device(w, u"Hub-A/Controller-1", u"Controller 1");
  });

  // v0: GuardBand, BandwidthPools of Base and Top.
  list.add(space_database_v0, "guard band and bandwidth pools", [](PayloadWriter& w) {
    w.u8(0x03);
    change(w, 100, 150);
    w.u16(0);
    w.u16(1).i64(12000000000).i64(12036000000).u8(0x02);
    frequency_change(w, 12036000000, 12054000000);
    w.u16(1).i64(12100000000).i64(12136000000);
  });
  // v1: v0 and SwitchAllOnInBandRoamAway.
  list.add(space_database_v1, "a pool removed and the roam-away switch", [](PayloadWriter& w) {
    w.u8(0x06);
    w.u16(1).i64(3700000000).i64(3736000000);
    w.u16(0).u16(0);
    change(w, 1, 0);
  });
  // v2: GuardBand, BandwidthPools of the current layout, SwitchAllOnInBandRoamAway.
  list.add(space_database_v2, "guard band and a pool added", [](PayloadWriter& w) {
    w.u8(0x03);
    change(w, 0, 500);
    w.u16(0).u16(0);
    w.u16(1).i64(19700000000).i64(19736000000).u32(1);
    label(w, u"Ka spot 4");
  });

  // Tagged change list: 1 guard band, 2 pool lists (32-bit count; base, top, value, name), 0 end.
  list.add(space_database_tagged, "a guard band change", [](PayloadWriter& w) {
    w.u8(1).u32(5).u32(6).u8(0);
  });
  list.add(space_database_tagged, "a pool list split, then a guard band change", [](PayloadWriter& w) {
    w.u8(2);
    w.u32(1).u64(14000000000).u64(14036000000).u32(7).wstring(u"East");
    w.u32(2).u64(14000000000).u64(14018000000).u32(7).i16(0);
    w.u64(14018000000).u64(14036000000).u32(8).wstring(u"East b");
    w.u8(1).u32(100).u32(200).u8(0);
  });
  list.add(space_database_tagged, "an empty change list", [](PayloadWriter& w) { w.u8(0); });
}

// A modified application policy's mask is two bytes wide.
void add_policy_samples(SampleList& list) {
  // Current record (2-byte mask): WillInherit, EnableLra, EnableLqc, EnableTavo, EnableExcess,
  // EnableEntry, ExcessBitrate, EntryBitrate, DistributionLists, ApplicationPolicies.
  list.add(inband_policy_changed, "a feature switch and an application policy's priority", [](PayloadWriter& w) {
    w.u16(0x0204);
    change(w, disable, enable);
    w.u16(0).u16(1).u32(7).u16(0x0010);
    change(w, 1, 2);
    w.u16(0);
  });
  list.add(inband_policy_changed, "inheritance, entry option and bit rates", [](PayloadWriter& w) {
    w.u16(0x00E1);
    change(w, 1, 0);
    change(w, inherit, reservation_ideal);
    change(w, 2048000, 1544000);
    change(w, 64000, 256000);
  });
  list.add(inband_policy_changed, "distribution lists and their destinations", [](PayloadWriter& w) {
    w.u16(0x0100);
    // Removed: WillInherit, Target, Label, Enable (Destinations has no bytes in element form).
    w.u16(1).i32(0).u32(ipv4(10, 0, 0, 1));
    label(w, u"Ops");
    w.i32(enable);
    // Modified, keyed by Target: its Label and its Destinations.
    w.u16(1).u32(ipv4(192, 168, 0, 1)).u8(0x14);
    label(w, u"Old");
    label(w, u"New");
    w.u16(0);
    w.u16(1).u32(ipv4(10, 1, 0, 0)).u32(ipv4(255, 255, 0, 0)).u8(0x02);
    w.u32(ipv4(255, 255, 0, 0)).u32(ipv4(255, 255, 255, 0));
    w.u16(1).u32(ipv4(10, 2, 0, 0)).u32(ipv4(255, 255, 255, 0));
    // Added.
    w.u16(1).i32(0).u32(ipv4(10, 0, 0, 2));
    label(w, u"");
    w.i32(inherit);
  });
  list.add(inband_policy_changed, "application policies removed and added", [](PayloadWriter& w) {
    w.u16(0x0200);
    // WillInherit, Type, Label, Enable, Priority, TxMinimum, TxMaximum, RxMinimum, RxMaximum.
    w.u16(1).u32(1).u32(4294967295u);
    label(w, u"Bulk");
    w.i32(disable).i32(-1).i32(0).i32(1000000).i32(0).i32(2000000);
    w.u16(0);
    w.u16(1).u32(0).u32(3);
    label(w, u"Voice");
    w.i32(enable).i32(5).i32(64000).i32(128000).i32(64000).i32(128000);
  });
  list.add(inband_policy_changed, "a distribution list relabelled with markup characters", [](PayloadWriter& w) {
    w.u16(0x0100);
    // Modified, keyed by Target: its Label.
    w.u16(0).u16(1).u32(ipv4(10, 0, 0, 1)).u8(0x04);
    label(w, u"R&D <ops>");
    label(w, u"Sales & Marketing > EMEA");
    w.u16(0);
  });

  // v0: WillInherit, EnableTavo, EnableExcess, ExcessBitrate, DistributionLists, ApplicationPolicies.
  list.add(inband_policy_changed_v0, "inheritance, feature switches and the excess bit rate", [](PayloadWriter& w) {
    w.u8(0x0F);
    change(w, 0, 1);
    change(w, disable, inherit);
    change(w, enable, 3);
    change(w, 1024000, 2048000);
  });
  // v1: WillInherit, EnableLqc, EnableTavo, EnableExcess, ExcessBitrate, DistributionLists, ...
  list.add(inband_policy_changed_v1, "a feature switch and a distribution list disabled", [](PayloadWriter& w) {
    w.u8(0x22);
    change(w, inherit, enable);
    w.u16(0).u16(1).u32(ipv4(10, 0, 0, 1)).u8(0x08);
    change(w, enable, disable);
    w.u16(0);
  });
  // v2: WillInherit, EnableLra, EnableLqc, EnableTavo, EnableExcess, ExcessBitrate, ...
  list.add(inband_policy_changed_v2, "a feature switch and an application policy's rate bounds", [](PayloadWriter& w) {
    w.u8(0x82);
    change(w, disable, enable);
    w.u16(0).u16(1).u32(2).u16(0x01E0);
    change(w, 64000, 128000);
    change(w, 256000, 512000);
    change(w, 32000, 64000);
    change(w, 128000, 256000);
    w.u16(0);
  });
}

void add_state_samples(SampleList& list) {
  // Priority, TxChannel, RxChannel, ZarnTxLimit, ZarnRxLimit; a channel is Enabled, Device,
  // Home, Limit; a home carrier Device, Frequency, BitRate, Power, ModCod.
  list.add(inband_state_changed, "priority and the transmit channel's device", [](PayloadWriter& w) {
    w.u8(0x03);
    change(w, 5, 3);
    w.u8(0x03);
    change(w, 0, 1);
    device(w, u"", u"");
    device(w, u"Hub-A/Modulator-3", u"Modulator 3");
  });
  list.add(inband_state_changed, "the transmit channel's home carrier", [](PayloadWriter& w) {
    w.u8(0x02).u8(0x04).u8(0x1E);
    frequency_change(w, 14000000000, 14250000000);
    change(w, 2048000, 4096000);
    w.i16(-150).i16(250);
    modcod(w);
    modcod(w);
  });
  list.add(inband_state_changed, "rate limits of the receive channel and the ZARN circuits", [](PayloadWriter& w) {
    w.u8(0x14);
    w.u8(0x08).u8(0x06);
    change(w, 64000, 128000);
    change(w, 512000, 1024000);
    w.u8(0x07);
    change(w, 0, 1);
    change(w, 9600, 19200);
    change(w, 2048000, 8448000);
  });
}

void add_list_change_samples(SampleList& list) {
  // Modcod entries: BitRate, Threshold, Bandwidth, ModCod; keyed by BitRate.
  list.add(inband_modcods_changed, "entries removed, modified and added", [](PayloadWriter& w) {
    device(w, u"Hub-A/Modulator-3", u"Modulator 3");
    w.u16(1).i32(8448000).i32(6144000).i32(6000000);
    modcod(w);
    w.u16(1).i32(2048000).u8(0x02);
    change(w, 1024000, 2048000);
    w.u16(1).i32(4096000).i32(3072000).i32(3000000);
    modcod(w);
  });

  // Reservations: Domain, Enabled, MaxDataRate, MinDataRate, ModCod; keyed by Domain.
  list.add(inband_reservations_changed, "reservations removed, modified and added", [](PayloadWriter& w) {
    device(w, u"Hub-B/Demodulator-1", u"Demodulator 1");
    w.u16(1);
    device(w, u"Domains/Maritime", u"Maritime");
    w.i32(1).i32(2048000).i32(64000);
    modcod(w);
    w.u16(1);
    device(w, u"Domains/Aero", u"Aero");
    w.u8(0x16);
    change(w, 0, 1);
    change(w, 1024000, 4096000);
    modcod(w);
    modcod(w);
    w.u16(1);
    device(w, u"", u"");
    w.i32(0).i32(512000).i32(0);
    modcod(w);
  });

  // Older reservations: Domain, Enabled, DataRate, ModCod.
  list.add(inband_reservations_changed_v0, "a reservation's data rate, for no device", [](PayloadWriter& w) {
    device(w, u"", u"");
    w.u16(0).u16(1);
    device(w, u"Domains/Enterprise", u"Enterprise");
    w.u8(0x04);
    change(w, 256000, 512000);
    w.u16(0);
  });

  // Several devices: a 32-bit count, then a device and its reservation list change for each.
  list.add(inband_reservations_changed_multi, "two devices", [](PayloadWriter& w) {
    w.u32(2);
    device(w, u"Hub-A/Modulator-3", u"Modulator 3");
    w.u16(0).u16(0).u16(1);
    device(w, u"Domains/Maritime", u"Maritime");
    w.i32(1).i32(1024000).i32(128000);
    modcod(w);
    device(w, u"Hub-B/Modulator-1", u"");
    w.u16(1);
    device(w, u"Domains/Aero", u"Aero");
    w.i32(0).i32(512000).i32(64000);
    modcod(w);
    w.u16(0).u16(0);
  });
}

}  // namespace

std::vector<Sample> make_samples() {
  SampleList list;
  add_state_samples(list);
  add_policy_samples(list);
  add_space_database_samples(list);
  add_switch_samples(list);
  add_list_change_samples(list);
  add_device_samples(list);
  add_exclusion_samples(list);
  return list.take();
}

}  // namespace host
