#include "events/failure_list.hpp"

#include "io/enum_names.hpp"
#include "io/formatting.hpp"
#include "io/wide_text.hpp"
#include "veduvedader/eventui.h"

namespace data {

namespace {

constexpr io::EnumRow<FailureListReason, std::u16string_view> reason_texts[] = {
    {FailureListReason::redundant_update, u"redundant update."},
    {FailureListReason::failed_setup, u"failed setup."},
    {FailureListReason::successful_setup, u"successful setup."},
    {FailureListReason::failed_takedown, u"failed takedown."},
    {FailureListReason::successful_takedown, u"successful takedown."},
    {FailureListReason::recovery_request, u"recovery request."},
};

}  // namespace

std::u16string_view failure_reason_text(FailureListReason reason) noexcept {
  constexpr std::u16string_view unknown_reason = u"unknown reason.";
  return io::enum_name_of(reason_texts, reason, unknown_reason);
}

}  // namespace data

namespace ui::event {
namespace {

struct FailureListRecord {
  explicit FailureListRecord(ByteCursor& cursor)
      : device_name(cursor.read_wstring()),
        reason(static_cast<data::FailureListReason>(cursor.read_u32())) {}

  io::WideText device_name;
  data::FailureListReason reason;
};

// "The ZARN device '<name>" + the event's middle part + the reason.
std::uint32_t render_failure_list_text(text_output& out, ByteCursor& cursor,
                                       std::string_view middle) {
  const FailureListRecord record(cursor);
  out.put_text("The ZARN device '");
  out.put_text(record.device_name);
  out.put_text(middle);
  out.put_text(data::failure_reason_text(record.reason));
  return EVENTUI_COLOUR_WHITE;
}

}  // namespace

void render_failure_list_xml(xml_output& out, ByteCursor& cursor) {
  const FailureListRecord record(cursor);
  out.text_element_line("device", record.device_name);
  out.text_element_line("reason", io::integer_text(static_cast<std::int32_t>(record.reason)));
}

std::uint32_t render_setup_failure_added_text(text_output& out, ByteCursor& cursor) {
  return render_failure_list_text(out, cursor, "' was added to the setup failures list due to ");
}

std::uint32_t render_takedown_failure_added_text(text_output& out, ByteCursor& cursor) {
  return render_failure_list_text(out, cursor,
                                  "' was added to the takedown failures list due to ");
}

std::uint32_t render_setup_failure_removed_text(text_output& out, ByteCursor& cursor) {
  return render_failure_list_text(out, cursor,
                                  "' was removed from the setup failures list due to ");
}

std::uint32_t render_takedown_failure_removed_text(text_output& out, ByteCursor& cursor) {
  return render_failure_list_text(out, cursor,
                                  "' was removed from the takedown failures list due to ");
}

}  // namespace ui::event
