#include "batch_record.hpp"

#include <algorithm>
#include <array>

#include "event_table.hpp"
#include "hresult_text.hpp"
#include "json_writer.hpp"
#include "terminal_colour.hpp"

namespace host {

RenderedPart deciding_part(const Rendering& text, const Rendering& xml) noexcept {
  return !text.succeeded() || xml.succeeded() ? RenderedPart::text : RenderedPart::xml;
}

BatchRecordWriter::BatchRecordWriter(const EventTable& events) {
  for (const EventRow& row : events.rows()) {
    ByteBuffer fields;
    JsonObjectWriter(fields)
        .number("row", static_cast<std::int64_t>(row.row))
        .text("name", std::u16string_view(row.record->pszName != nullptr ? row.record->pszName : u""))
        .close();
    row_fields_.emplace_back(fields.view());
  }
}

void BatchRecordWriter::append(ByteBuffer& out, std::size_t line_number, const EventRow& row, const Rendering& text,
                               const Rendering& xml) const {
  const RenderedPart part = deciding_part(text, xml);
  const Rendering& deciding = part == RenderedPart::text ? text : xml;
  const std::array<char, 10> hr = hresult_hex(deciding.hr);
  JsonObjectWriter record(out);
  record.number("line", static_cast<std::int64_t>(line_number))
      .fields(row_fields_[row.row])
      .text("hr", std::string_view(hr.data(), hr.size()))
      .text("text", text.output);
  if (text.colour) {
    const std::array<char, 7> colour = colour_hex(*text.colour);
    record.text("colour", std::string_view(colour.data(), colour.size()));
  } else {
    record.null("colour");
  }
  record.text("xml", xml.output).text_or_null("error", deciding.error_description);
  if (deciding.succeeded()) {
    record.null("failed");
  } else {
    record.text("failed", part == RenderedPart::text ? "text" : "xml");
  }
  record.close();
}

void append_malformed_record(ByteBuffer& out, std::size_t line_number, std::string_view message) {
  JsonObjectWriter(out).number("line", static_cast<std::int64_t>(line_number)).text("malformed", message).close();
}

}  // namespace host
