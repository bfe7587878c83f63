#include "events/satellite_switch.hpp"

#include <string_view>

#include "io/formatting.hpp"
#include "io/narrow_text.hpp"
#include "io/wide_text.hpp"
#include "veduvedader/eventui.h"

namespace ui::event {
namespace {

struct Satellite {
  io::WideText name;
  io::WideText moniker;  // its display form, shown as plain text
};

struct SatelliteSwitchRecord {
  explicit SatelliteSwitchRecord(ByteCursor& cursor) : status(cursor.read_i32()) {
    if (failed()) {
      error_description = cursor.read_string();
      return;
    }
    from.name = cursor.read_wstring();
    from.moniker = cursor.read_wstring();
    to.name = cursor.read_wstring();
    to.moniker = cursor.read_wstring();
  }

  bool failed() const noexcept { return status < 0; }
  std::uint32_t status_bits() const noexcept { return static_cast<std::uint32_t>(status); }

  std::int32_t status;
  io::NarrowText error_description;
  Satellite from;
  Satellite to;
};

void write_satellite_xml(xml_output& out, std::string_view element, const Satellite& satellite) {
  out.start_element(element);
  out.attribute("moniker", satellite.moniker);
  out.end_with_text(satellite.name);
}

}  // namespace

// Everything stands on one line: no line breaks, no indentation changes.
void render_satellite_switch_xml(xml_output& out, ByteCursor& cursor) {
  const SatelliteSwitchRecord record(cursor);
  const io::HexDigits code = io::hex_digits(record.status_bits(), 1);
  out.start_element("status", "code", code.view());
  if (record.failed()) {
    out.end_with_text(record.error_description);
    return;
  }
  out.end_element();
  write_satellite_xml(out, "old-satellite", record.from);
  write_satellite_xml(out, "new-satellite", record.to);
}

std::uint32_t render_satellite_switch_text(text_output& out, ByteCursor& cursor) {
  const SatelliteSwitchRecord record(cursor);
  if (record.failed()) {
    const io::HexDigits code = io::hex_digits(record.status_bits(), 8);
    out.put_text("Remote failed a satellite transition, reported error was: (");
    out.put_text(code.view());
    out.put_text(") ");
    out.put_text(record.error_description);
    return EVENTUI_COLOUR_RED;
  }
  out.put_text("Remote transitioned from satellite '");
  out.put_text(record.from.name);
  out.put_text("' to '");
  out.put_text(record.to.name);
  out.put_text("'.");
  return EVENTUI_COLOUR_GREEN;
}

}  // namespace ui::event
