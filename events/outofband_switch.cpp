#include "events/outofband_switch.hpp"

#include <string_view>

#include "events/inband_switch_flags.hpp"
#include "events/site_state.hpp"
#include "io/enum_names.hpp"
#include "io/formatting.hpp"
#include "veduvedader/eventui.h"

namespace data {

enum class OutOfBandSwitchResult : std::uint32_t {
  unknown = 0,
  success = 1,
  reverted = 2,
  recoverable = 3,
  failure = 4,
};

}  // namespace data

namespace ui::event {
namespace {

using data::OutOfBandSwitchResult;

constexpr io::EnumRow<OutOfBandSwitchResult, std::string_view> result_names[] = {
    {OutOfBandSwitchResult::unknown, "unknown"},
    {OutOfBandSwitchResult::success, "success"},
    {OutOfBandSwitchResult::reverted, "reverted"},
    {OutOfBandSwitchResult::recoverable, "recoverable"},
    {OutOfBandSwitchResult::failure, "failure"},
};

// Values past the named ones read as "success", as the service reports them.
std::string_view result_name(std::uint32_t result) noexcept {
  constexpr std::string_view success = "success";
  return io::enum_name_of(result_names, OutOfBandSwitchResult{result}, success);
}

}  // namespace

void render_outofband_switch_xml(xml_output& out, ByteCursor& cursor) {
  const data::InBandSwitchFlags flags{cursor.read_u8()};
  cursor.steers(io::LayoutRole::flags);
  const std::uint32_t result = cursor.read_u32();
  out.start_element("result");
  out.line_break();
  out.indent();
  out.text_element_line("code", io::integer_text(static_cast<std::int32_t>(result)));
  out.text_element_line("description", result_name(result));
  out.outdent();
  out.end_element_line();
  if (flags.performed()) {
    write_site_state_xml(out, cursor, "old-state", flags.switched_before());
    write_site_state_xml(out, cursor, "new-state", flags.switched_after());
  } else {
    write_no_switch_required_xml(out);
  }
}

std::uint32_t render_outofband_switch_text(text_output& out, ByteCursor& cursor) {
  const data::InBandSwitchFlags flags{cursor.read_u8()};
  cursor.steers(io::LayoutRole::flags);
  const std::uint32_t result = cursor.read_u32();
  if (result != static_cast<std::uint32_t>(OutOfBandSwitchResult::success)) {
    out.put_text("An out-of-band switch completed unsuccessfully, reporting: ");
    out.put_text(result_name(result));
    out.put_text(".");
    return EVENTUI_COLOUR_RED;
  }
  if (!flags.performed()) {
    out.put_text("An out-of-band switch resulted in no operation being performed.");
    return EVENTUI_COLOUR_WHITE;
  }
  out.put_text("An out-of-band switch completed successfully.");
  return EVENTUI_COLOUR_GREEN;
}

}  // namespace ui::event
