#include "events/inband_switch.hpp"

#include <optional>
#include <string_view>

#include "events/inband_switch_flags.hpp"
#include "events/site_state.hpp"
#include "events/switch_kind.hpp"
#include "events/switched_carrier.hpp"
#include "io/formatting.hpp"
#include "io/narrow_text.hpp"
#include "veduvedader/eventui.h"

namespace ui::event {
namespace {

using data::InBandSwitchFlags;
using data::SwitchedCarrier;
using data::SwitchKind;

SwitchKind read_kind(ByteCursor& cursor) { return SwitchKind{cursor.read_u8()}; }

void write_kind_xml(xml_output& out, SwitchKind kind) {
  out.text_element_line("type", data::switch_kind_name(kind));
}

// Error codes are HRESULTs, quoted as usual with all eight digits. The prefix is a text of its
// own, so that a buffer that ends before the digits keeps it.
void write_error_code_xml(xml_output& out, std::uint32_t code) {
  const io::HexDigits digits = io::hex_digits(code, 8);
  out.text_element_line("code", "0x", digits.view());
}

// The description stands on a line of its own, one level inside its element. `read_text` gives
// the text once the element is open: the older layout reads it only then.
template <class ReadText>
void write_description_xml(xml_output& out, ReadText&& read_text) {
  out.start_element("description");
  out.line_break();
  out.indent();
  out.put_text(read_text());
  out.line_break();
  out.outdent();
  out.end_element_line();
}

void write_kind_phrase(text_output& out, SwitchKind kind) {
  out.put_text(data::switch_kind_article(kind));
  out.put_text(data::switch_kind_name(kind));
}

std::uint32_t write_failure_text(text_output& out, SwitchKind kind, io::NarrowText description) {
  write_kind_phrase(out, kind);
  out.put_text(" switch failed with the error: ");
  out.put_text(description);
  return EVENTUI_COLOUR_RED;
}

void write_pool_consumption(text_output& out, std::int32_t bandwidth) {
  out.put_text(", consuming ");
  io::format_frequency(out, bandwidth);
  out.put_text(" of bandwidth from the dynamic pool.");
}

// What a successful switch did, judged from the carriers before and after it (none: home).
void write_switch_outcome(text_output& out, const std::optional<SwitchedCarrier>& before,
                          const std::optional<SwitchedCarrier>& after) {
  if (!before && after) {
    out.put_text("switched the site from home to ");
    io::format_bit_rate(out, after->data_rate);
    write_pool_consumption(out, after->bandwidth);
  } else if (!before) {
    out.put_text("did nothing useful.");
  } else if (!after) {
    out.put_text("switched the site from ");
    io::format_bit_rate(out, before->data_rate);
    out.put_text(" to home.");
  } else if (before->data_rate != after->data_rate) {
    out.put_text("changed the site's data rate from ");
    io::format_bit_rate(out, before->data_rate);
    out.put_text(" to ");
    io::format_bit_rate(out, after->data_rate);
    write_pool_consumption(out, after->bandwidth);
  } else if (before->frequency != after->frequency) {
    out.put_text("changed the site's frequency.");
  } else {
    // Bandwidths are not compared: an unchanged carrier also lands here.
    out.put_text("changed the site's bandwidth.");
  }
}

std::optional<SwitchedCarrier> read_carrier_if(ByteCursor& cursor, bool present) {
  if (!present) return std::nullopt;
  return SwitchedCarrier::read(cursor);
}

}  // namespace

void render_inband_switch_xml(xml_output& out, ByteCursor& cursor) {
  write_kind_xml(out, read_kind(cursor));
  const InBandSwitchFlags flags{cursor.read_u8()};
  cursor.steers(io::LayoutRole::flags);
  out.start_element("result");
  if (!flags.performed()) {
    out.attribute("status", "success");
    out.end_element_line();
    write_no_switch_required_xml(out);
    return;
  }
  if (flags.failed()) {
    const std::uint32_t code = cursor.read_u32();
    const io::NarrowText description = cursor.read_string();
    out.attribute("status", "failed");
    out.line_break();
    out.indent();
    write_error_code_xml(out, code);
    write_description_xml(out, [&] { return description; });
    out.outdent();
  } else {
    out.attribute("status", "success");
  }
  out.end_element_line();
  write_site_state_xml(out, cursor, "old-state", flags.switched_before());
  write_site_state_xml(out, cursor, "new-state", flags.switched_after());
}

std::uint32_t render_inband_switch_text(text_output& out, ByteCursor& cursor) {
  const SwitchKind kind = read_kind(cursor);
  const InBandSwitchFlags flags{cursor.read_u8()};
  cursor.steers(io::LayoutRole::flags);
  if (!flags.performed()) {
    write_kind_phrase(out, kind);
    out.put_text(" switch resulted in no operation being performed.");
    return EVENTUI_COLOUR_WHITE;
  }
  if (flags.failed()) {
    cursor.skip(sizeof(std::uint32_t));  // the error code is not shown
    return write_failure_text(out, kind, cursor.read_string());
  }
  const std::optional<SwitchedCarrier> before = read_carrier_if(cursor, flags.switched_before());
  const std::optional<SwitchedCarrier> after = read_carrier_if(cursor, flags.switched_after());
  write_kind_phrase(out, kind);
  out.put_text(" switch successfully ");
  write_switch_outcome(out, before, after);
  return EVENTUI_COLOUR_GREEN;
}

void render_inband_switch_v0_xml(xml_output& out, ByteCursor& cursor) {
  write_kind_xml(out, read_kind(cursor));
  const std::int32_t result = cursor.read_i32();
  out.start_element("result", "status", result < 0 ? "failed" : "success");
  if (result < 0) {
    // This layout nests the error one level less deep than the current one.
    out.line_break();
    write_error_code_xml(out, static_cast<std::uint32_t>(result));
    write_description_xml(out, [&] { return cursor.read_string(); });
  }
  out.end_element_line();

  out.start_element("new-state");
  out.line_break();
  out.indent();
  const std::int32_t data_rate = cursor.read_i32();
  out.text_element_line("data-rate", io::bit_rate_text(data_rate));
  const std::uint64_t frequency = cursor.read_u64();
  out.text_element_line("frequency", io::frequency_text(static_cast<std::int64_t>(frequency)));
  const std::int32_t bandwidth = cursor.read_i32();
  out.text_element_line("bandwidth", io::frequency_text(bandwidth));
  const std::int16_t power = cursor.read_i16();
  out.text_element_line("power", io::power_text(power));
  out.outdent();
  out.end_element();
}

std::uint32_t render_inband_switch_v0_text(text_output& out, ByteCursor& cursor) {
  const SwitchKind kind = read_kind(cursor);
  const std::int32_t result = cursor.read_i32();
  if (result < 0) return write_failure_text(out, kind, cursor.read_string());
  // The power that follows the carrier is not shown, so it is not read.
  const SwitchedCarrier carrier = SwitchedCarrier::read(cursor);
  write_kind_phrase(out, kind);
  // Two writes, not one: a buffer that ends inside the second keeps the first, as the sentence
  // has always been cut.
  out.put_text(" switch ");
  out.put_text("successfully changed the site's data rate to ");
  io::format_bit_rate(out, carrier.data_rate);
  out.put_text(", at ");
  io::format_frequency(out, static_cast<std::int64_t>(carrier.frequency));
  write_pool_consumption(out, carrier.bandwidth);
  return EVENTUI_COLOUR_GREEN;
}

}  // namespace ui::event
