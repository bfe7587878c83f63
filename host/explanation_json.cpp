#include <span>

#include "byte_buffer.hpp"
#include "event_table.hpp"
#include "explanation_forms.hpp"
#include "json_writer.hpp"
#include "payload_explanation.hpp"
#include "payload_input.hpp"

namespace host {

namespace {

// The fields of an object that a writer closes, written into out without their braces.
template <class Write>
void object_fields(ByteBuffer& out, Write&& write) {
  ByteBuffer object;
  JsonObjectWriter writer(object);
  write(writer);
  writer.close();
  out.append(object.view().substr(1, object.size() - 2));
}

}  // namespace

std::string explanation_json(const EventRow& row, const Explanation& explanation) {
  const std::span<const std::uint8_t> payload(explanation.payload);
  ByteBuffer out;
  out.append("{");
  object_fields(out, [&](JsonObjectWriter& head) {
    head.number("row", static_cast<std::int64_t>(row.row))
        .text("type", row.type)
        .text("name", row.name)
        .number("length", static_cast<std::int64_t>(explanation.payload.size()))
        .number("read", static_cast<std::int64_t>(explanation.read))
        .number("unread", static_cast<std::int64_t>(explanation.unread()))
        .text("unread_bytes", format_hex(payload.subspan(explanation.read)));
  });
  out.append(",\"spans\":[");
  for (std::size_t i = 0; i < explanation.spans.size(); ++i) {
    const ExplainedSpan& span = explanation.spans[i];
    out.append(i == 0 ? "\n  " : ",\n  ");
    JsonObjectWriter writer(out);
    writer.number("offset", static_cast<std::int64_t>(span.offset))
        .number("length", static_cast<std::int64_t>(span.length))
        .text("bytes", format_hex(payload.subspan(span.offset, span.length)))
        .text("primitive", primitive_name(span.primitive))
        .text("path", span.path)
        .text_or_null("value", span.value);
    if (span.role == io::LayoutRole::none)
      writer.null("role").null("steers");
    else
      writer.text("role", role_name(span.role)).text("steers", steering_value(span, explanation.payload));
    writer.close();
  }
  out.append("\n],\"failure\":");
  if (const std::optional<ExplainedFailure>& failure = explanation.failure) {
    JsonObjectWriter writer(out);
    writer.number("offset", static_cast<std::int64_t>(failure->offset));
    if (failure->needed)
      writer.number("needed", static_cast<std::int64_t>(*failure->needed))
          .number("remaining", static_cast<std::int64_t>(*failure->remaining));
    else
      writer.null("needed").null("remaining");
    writer.text("description", failure->description).close();
  } else {
    out.append("null");
  }
  out.append("}\n");
  return std::string(out.view());
}

}  // namespace host
