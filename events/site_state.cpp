#include "events/site_state.hpp"

#include <cstdint>

#include "events/switched_carrier.hpp"
#include "io/formatting.hpp"

namespace ui::event {

void write_site_state_xml(xml_output& out, ByteCursor& cursor, std::string_view name,
                          bool switched) {
  out.start_element(name, "status", switched ? "switched" : "home");
  if (switched) {
    const data::SwitchedCarrier carrier = data::SwitchedCarrier::read(cursor);
    out.line_break();
    out.indent();
    out.text_element_line("data-rate", io::bit_rate_text(carrier.data_rate));
    out.text_element_line("frequency", io::frequency_text(static_cast<std::int64_t>(carrier.frequency)));
    out.text_element_line("bandwidth", io::frequency_text(carrier.bandwidth));
    out.outdent();
  }
  out.end_element_line();
}

void write_no_switch_required_xml(xml_output& out) {
  out.text_element_line("disposition", "no switch required");
}

}  // namespace ui::event
