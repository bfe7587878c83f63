#include "batch_record.hpp"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "event_table.hpp"
#include "hresult_text.hpp"
#include "json_writer.hpp"
#include "payload_input.hpp"
#include "terminal_colour.hpp"

namespace host {

namespace {

// The event named by "type", as render resolves it.
std::string event_of(const nlohmann::json& type) {
  if (type.is_string()) return type.get<std::string>();
  if (type.is_number_unsigned()) return type.dump();
  throw MalformedLine(MalformedReason::bad_type,
                      "\"type\" must be a row number, an event-type GUID or a display name");
}

const EventRow& resolve_row(const std::string& event, const EventTable& events) {
  try {
    return resolve_event(events, event);
  } catch (const EventNotResolved& e) {
    if (e.kind() == EventNotResolved::Kind::none) throw MalformedLine(MalformedReason::unknown_event, e.what());
    // One line, unlike render's table of candidates.
    std::string message = "'" + event + "' is ambiguous; give \"row\":";
    std::vector<const EventRow*> named = events.find(event);
    for (std::size_t i = 0; i < named.size(); ++i)
      message += (i == 0 ? " " : i + 1 == named.size() ? " or " : ", ") + std::to_string(named[i]->row);
    throw MalformedLine(MalformedReason::ambiguous_event, message);
  }
}

// "row" picks one of the rows that "type" names.
const EventRow& chosen_row(const nlohmann::json& number, const std::string& event, const EventTable& events) {
  if (!number.is_number_unsigned()) throw MalformedLine(MalformedReason::bad_row, "\"row\" must be a row number");
  const EventRow* row = events.row(number.get<std::size_t>());
  if (row == nullptr) throw MalformedLine(MalformedReason::bad_row, "there is no row " + number.dump());
  std::vector<const EventRow*> named = events.find(event);
  if (named.empty()) throw MalformedLine(MalformedReason::unknown_event, no_event_message(events, event));
  if (std::find(named.begin(), named.end(), row) == named.end())
    throw MalformedLine(MalformedReason::bad_row,
                        "row " + std::to_string(row->row) + " (" + row->type + " " + row->name + ") is not '" + event + "'");
  return *row;
}

}  // namespace

std::string_view describe(MalformedReason reason) noexcept {
  switch (reason) {
    case MalformedReason::not_json: return "not valid JSON";
    case MalformedReason::not_object: return "not a JSON object";
    case MalformedReason::bad_type: return "no \"type\" string or row number";
    case MalformedReason::unknown_event: return "\"type\" matches no event";
    case MalformedReason::ambiguous_event: return "\"type\" matches several rows";
    case MalformedReason::bad_row: return "\"row\" is not a row of the event";
    case MalformedReason::bad_payload: return "\"payload\" is not hexadecimal text";
  }
  return "malformed";
}

BatchEvent parse_batch_event(std::string_view line, const EventTable& events) {
  nlohmann::json event = nlohmann::json::parse(line.begin(), line.end(), nullptr, false);
  if (event.is_discarded()) throw MalformedLine(MalformedReason::not_json, "not valid JSON");
  if (!event.is_object()) throw MalformedLine(MalformedReason::not_object, "not a JSON object");

  auto type_field = event.find("type");
  if (type_field == event.end()) throw MalformedLine(MalformedReason::bad_type, "no \"type\"");
  const std::string type = event_of(*type_field);

  auto payload_field = event.find("payload");
  const std::string* payload = payload_field != event.end() ? payload_field->get_ptr<const std::string*>() : nullptr;
  if (payload == nullptr) throw MalformedLine(MalformedReason::bad_payload, "\"payload\" must be a hexadecimal string");

  auto row_field = event.find("row");
  const EventRow& row = row_field == event.end() ? resolve_row(type, events) : chosen_row(*row_field, type, events);
  try {
    return {&row, parse_hex(*payload)};
  } catch (const InputError& e) {
    throw MalformedLine(MalformedReason::bad_payload, e.what());
  }
}

RenderedPart deciding_part(const Rendering& text, const Rendering& xml) noexcept {
  return !text.succeeded() || xml.succeeded() ? RenderedPart::text : RenderedPart::xml;
}

void append_batch_record(ByteBuffer& out, std::size_t line_number, const EventRow& row,
                         const Rendering& text, const Rendering& xml) {
  const RenderedPart part = deciding_part(text, xml);
  const Rendering& deciding = part == RenderedPart::text ? text : xml;
  const std::array<char, 10> hr = hresult_hex(deciding.hr);
  JsonObjectWriter record(out);
  record.number("line", static_cast<std::int64_t>(line_number))
      .number("row", static_cast<std::int64_t>(row.row))
      .text("name", std::u16string_view(row.record->pszName != nullptr ? row.record->pszName : u""))
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
