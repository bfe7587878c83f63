#include "batch_record.hpp"

#include <nlohmann/json.hpp>

#include "event_table.hpp"
#include "exit_status.hpp"
#include "guid_text.hpp"
#include "hresult_text.hpp"
#include "json_writer.hpp"
#include "payload_input.hpp"
#include "terminal_colour.hpp"

namespace host {

namespace {

const EventRow& row_of(const nlohmann::json& event, const GUID& type, const EventTable& events) {
  auto number = event.find("row");
  if (number == event.end()) {
    const EventRow* first = events.first_of_type(type);
    if (first == nullptr) throw InputError("no row has the event type " + format_guid(type));
    return *first;
  }
  if (!number->is_number_unsigned()) throw InputError("\"row\" must be a row number");
  const EventRow* row = events.row(number->get<std::size_t>());
  if (row == nullptr) throw InputError("there is no row " + number->dump());
  if (!(row->record->guidType == type))
    throw InputError("row " + std::to_string(row->row) + " has the event type " + row->type + ", not " +
                     format_guid(type));
  return *row;
}

}  // namespace

BatchEvent parse_batch_event(std::string_view line, const EventTable& events) {
  nlohmann::json event = nlohmann::json::parse(line.begin(), line.end(), nullptr, false);
  if (event.is_discarded()) throw InputError("not valid JSON");
  if (!event.is_object()) throw InputError("not a JSON object");

  auto type_field = event.find("type");
  if (type_field == event.end() || !type_field->is_string())
    throw InputError("\"type\" must be an event-type GUID");
  std::optional<GUID> type = parse_guid(type_field->get_ref<const std::string&>());
  if (!type) throw InputError("\"type\" is not a GUID: " + type_field->dump());

  auto payload_field = event.find("payload");
  if (payload_field == event.end() || !payload_field->is_string())
    throw InputError("\"payload\" must be a hexadecimal string");

  const EventRow& row = row_of(event, *type, events);
  return {&row, parse_hex(payload_field->get_ref<const std::string&>())};
}

const Rendering& deciding_rendering(const Rendering& text, const Rendering& xml) noexcept {
  return !text.succeeded() || xml.succeeded() ? text : xml;
}

void append_batch_record(std::string& out, std::size_t line_number, const EventRow& row,
                         const Rendering& text, const Rendering& xml) {
  const Rendering& deciding = deciding_rendering(text, xml);
  JsonObjectWriter record(out);
  record.number("line", static_cast<std::int64_t>(line_number))
      .number("row", static_cast<std::int64_t>(row.row))
      .text("name", std::u16string_view(row.record->pszName != nullptr ? row.record->pszName : u""))
      .text("hr", hresult_hex(deciding.hr))
      .text("text", text.output);
  if (text.colour) {
    record.text("colour", colour_hex(*text.colour));
  } else {
    record.null("colour");
  }
  record.text("xml", xml.output).text_or_null("error", deciding.error_description).close();
}

}  // namespace host
