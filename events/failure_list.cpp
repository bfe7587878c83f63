#include "events/failure_list.hpp"

#include "io/formatting.hpp"
#include "io/wide_text.hpp"
#include "plugin/eventui.h"

namespace data {

std::u16string_view failure_reason_text(FailureListReason reason) noexcept {
  switch (reason) {
    case FailureListReason::redundant_update: return u"redundant update.";
    case FailureListReason::failed_setup: return u"failed setup.";
    case FailureListReason::successful_setup: return u"successful setup.";
    case FailureListReason::failed_takedown: return u"failed takedown.";
    case FailureListReason::successful_takedown: return u"successful takedown.";
    case FailureListReason::recovery_request: return u"recovery request.";
  }
  return u"unknown reason.";
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
  return colour::white;
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
