#include "events/site_state.hpp"

#include <cstdint>

#include "events/switched_carrier.hpp"
#include "events/xml_element.hpp"
#include "io/formatting.hpp"

namespace ui::event {

void write_site_state_xml(xml_output& out, ByteCursor& cursor, std::string_view name,
                          bool switched) {
  out.start_element(name);
  out.attribute("status", switched ? "switched" : "home");
  if (switched) {
    const data::SwitchedCarrier carrier = data::SwitchedCarrier::read(cursor);
    out.line_break();
    out.indent();
    write_formatted_element(out, "data-rate",
                            [&](xml_output& o) { io::format_bit_rate(o, carrier.data_rate); });
    out.line_break();
    write_formatted_element(out, "frequency", [&](xml_output& o) {
      io::format_frequency(o, static_cast<std::int64_t>(carrier.frequency));
    });
    out.line_break();
    write_formatted_element(out, "bandwidth",
                            [&](xml_output& o) { io::format_frequency(o, carrier.bandwidth); });
    out.line_break();
    out.outdent();
  }
  out.end_element_line();
}

void write_no_switch_required_xml(xml_output& out) {
  write_text_element(out, "disposition", "no switch required");
  out.line_break();
}

}  // namespace ui::event
