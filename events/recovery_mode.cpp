#include "events/recovery_mode.hpp"

#include <string_view>

#include "io/enum_names.hpp"
#include "io/wide_text.hpp"
#include "veduvedader/eventui.h"

namespace data {

// How a device left recovery mode.
enum class RecoveryDisposition : std::uint8_t {
  successful = 1,
  forced = 2,
  forced_by_user = 3,
  forced_by_system = 4,
};

}  // namespace data

namespace ui::event {
namespace {

using data::RecoveryDisposition;

// "Successfull" is the service's own spelling, which viewers have always shown: kept as it is.
constexpr io::EnumRow<RecoveryDisposition, std::string_view> disposition_names[] = {
    {RecoveryDisposition::successful, "Successfull"},
    {RecoveryDisposition::forced, "Forced"},
    {RecoveryDisposition::forced_by_user, "Forced by User"},
    {RecoveryDisposition::forced_by_system, "Forced by System"},
};

// "The <kind> device '<name><ending>", the device name as it was recorded.
void write_device_sentence(text_output& out, std::string_view opening, io::WideText name,
                           std::string_view ending) {
  out.put_text(opening);
  out.put_text(name);
  out.put_text(ending);
}

std::uint32_t render_entered_text(text_output& out, ByteCursor& cursor, std::string_view opening) {
  const io::WideText name = cursor.read_wstring();
  write_device_sentence(out, opening, name, "' entered recovery mode.");
  return EVENTUI_COLOUR_RED;
}

std::uint32_t render_exited_text(text_output& out, ByteCursor& cursor, std::string_view opening) {
  cursor.skip(sizeof(RecoveryDisposition));  // the sentence does not show it
  const io::WideText name = cursor.read_wstring();
  write_device_sentence(out, opening, name, "' exited recovery mode.");
  return EVENTUI_COLOUR_GREEN;
}

constexpr std::string_view managed_opening = "The managed device '";
constexpr std::string_view allocatable_opening = "The allocatable device '";

}  // namespace

void render_recovery_entered_xml(xml_output& out, ByteCursor& cursor) {
  out.text_element("device", cursor.read_wstring());
}

void render_recovery_exited_xml(xml_output& out, ByteCursor& cursor) {
  const RecoveryDisposition disposition{cursor.read_u8()};
  const io::WideText name = cursor.read_wstring();
  out.text_element("device", name);
  out.line_break();
  constexpr std::string_view unknown = "Unknown";
  out.text_element_line("disposition", io::enum_name_of(disposition_names, disposition, unknown));
}

std::uint32_t render_managed_recovery_entered_text(text_output& out, ByteCursor& cursor) {
  return render_entered_text(out, cursor, managed_opening);
}

std::uint32_t render_allocatable_recovery_entered_text(text_output& out, ByteCursor& cursor) {
  return render_entered_text(out, cursor, allocatable_opening);
}

std::uint32_t render_managed_recovery_exited_text(text_output& out, ByteCursor& cursor) {
  return render_exited_text(out, cursor, managed_opening);
}

std::uint32_t render_allocatable_recovery_exited_text(text_output& out, ByteCursor& cursor) {
  return render_exited_text(out, cursor, allocatable_opening);
}

}  // namespace ui::event
