#include "batch_line_parser.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <nlohmann/json.hpp>

#include "event_table.hpp"
#include "payload_input.hpp"

#if VED_HAVE_SIMDJSON
#include <simdjson.h>
#endif

namespace host {

namespace {

// What a line says about its event, before the event is resolved. Texts point into the parser
// that read the line.
struct Field {
  enum class Kind { missing, text, whole_number, other } kind = Kind::missing;
  std::string_view text;
  std::uint64_t number = 0;
};

struct LineFields {
  Field type, payload, row;
};

Field field_of(const nlohmann::json& value) {
  if (value.is_string()) return {Field::Kind::text, value.get_ref<const std::string&>(), 0};
  if (value.is_number_unsigned()) return {Field::Kind::whole_number, {}, value.get<std::uint64_t>()};
  return {Field::Kind::other, {}, 0};
}

LineFields fields_of(const nlohmann::json& object) {
  LineFields fields;
  for (auto [name, field] : {std::pair{"type", &fields.type}, {"payload", &fields.payload}, {"row", &fields.row}})
    if (auto value = object.find(name); value != object.end()) *field = field_of(*value);
  return fields;
}

// The one row that named holds.
const EventRow& only_row(const std::vector<const EventRow*>& named, std::string_view event, const EventTable& events) {
  if (named.size() == 1) return *named.front();
  if (named.empty()) throw MalformedLine(MalformedReason::unknown_event, no_event_message(events, event));
  // One line, unlike render's table of candidates.
  std::string message = "'" + std::string(event) + "' is ambiguous; give \"row\":";
  for (std::size_t i = 0; i < named.size(); ++i)
    message += (i == 0 ? " " : i + 1 == named.size() ? " or " : ", ") + std::to_string(named[i]->row);
  throw MalformedLine(MalformedReason::ambiguous_event, message);
}

// "row" picks one of the rows that EVENT names.
const EventRow& chosen_row(const Field& number, const std::vector<const EventRow*>& named, std::string_view event,
                           const EventTable& events) {
  if (number.kind != Field::Kind::whole_number) throw MalformedLine(MalformedReason::bad_row, "\"row\" must be a row number");
  const EventRow* row = number.number < events.rows().size() ? events.row(static_cast<std::size_t>(number.number)) : nullptr;
  if (row == nullptr) throw MalformedLine(MalformedReason::bad_row, "there is no row " + std::to_string(number.number));
  if (named.empty()) throw MalformedLine(MalformedReason::unknown_event, no_event_message(events, event));
  if (std::find(named.begin(), named.end(), row) == named.end())
    throw MalformedLine(MalformedReason::bad_row, "row " + std::to_string(row->row) + " (" + row->type + " " + row->name +
                                                      ") is not '" + std::string(event) + "'");
  return *row;
}

}  // namespace

#if VED_HAVE_SIMDJSON

static_assert(line_padding >= simdjson::SIMDJSON_PADDING);

// simdjson: several times faster than the general parser on a log's lines, and as strict.
struct BatchLineParser::FastParser {
  // Longer lines go to the general parser, so that this one's memory stays small.
  static constexpr std::size_t longest_line = 64 * 1024;
  simdjson::dom::parser json{longest_line};

  // The fields of a line that is a JSON object; false where the general parser decides.
  bool read(std::string_view line, LineFields& fields) {
    simdjson::dom::object object;
    if (json.parse(line.data(), line.size(), false).get_object().get(object) != simdjson::SUCCESS) return false;
    // The last of repeated names counts, as with the general parser.
    for (simdjson::dom::key_value_pair member : object) {
      if (is(member.key, "type")) {
        fields.type = field_of(member.value);
      } else if (is(member.key, "payload")) {
        fields.payload = field_of(member.value);
      } else if (is(member.key, "row")) {
        fields.row = field_of(member.value);
      }
    }
    auto zero = [](const Field& field) { return field.kind == Field::Kind::whole_number && field.number == 0; };
    return !((zero(fields.type) || zero(fields.row)) && holds_negative_zero(line));
  }

 private:
  // A comparison of known length, which the compiler does without a call.
  template <std::size_t size>
  static bool is(std::string_view key, const char (&name)[size]) noexcept {
    return key.size() == size - 1 && std::memcmp(key.data(), name, size - 1) == 0;
  }

  static Field field_of(simdjson::dom::element value) {
    switch (value.type()) {
      case simdjson::dom::element_type::STRING: return {Field::Kind::text, value.get_string().value_unsafe(), 0};
      case simdjson::dom::element_type::UINT64: return {Field::Kind::whole_number, {}, value.get_uint64().value_unsafe()};
      case simdjson::dom::element_type::INT64:
        if (std::int64_t number = value.get_int64().value_unsafe(); number >= 0)
          return {Field::Kind::whole_number, {}, static_cast<std::uint64_t>(number)};
        return {Field::Kind::other, {}, 0};
      default: return {Field::Kind::other, {}, 0};
    }
  }

  // simdjson reads -0 as the integer 0, which the general parser takes for a negative number and
  // so not for a row number: a line whose "type" or "row" is 0 goes to the general parser when it
  // holds such a token.
  static bool holds_negative_zero(std::string_view line) noexcept {
    for (std::size_t at = line.find("-0"); at != std::string_view::npos; at = line.find("-0", at + 1)) {
      std::size_t next = at + 2;
      if (next == line.size() || std::string_view(" \t\r\n,]}").find(line[next]) != std::string_view::npos) return true;
    }
    return false;
  }
};

#else

struct BatchLineParser::FastParser {
  bool read(std::string_view, LineFields&) const noexcept { return false; }
};

#endif

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

BatchLineParser::BatchLineParser(const EventTable& events) : events_(events), fast_(std::make_unique<FastParser>()) {}

BatchLineParser::~BatchLineParser() = default;

const std::vector<const EventRow*>& BatchLineParser::rows_named(std::string_view event) {
  constexpr std::size_t remembered = 256;
  if (auto known = named_by_event_.find(event); known != named_by_event_.end()) return known->second;
  events_.find(event, named_);
  if (named_by_event_.size() == remembered) return named_;
  return named_by_event_.emplace(event, named_).first->second;
}

const EventRow& BatchLineParser::parse(std::string_view line) {
  LineFields fields;
  nlohmann::json general;  // holds the texts of the fields it reads
  if (!fast_->read(line, fields)) {
    general = nlohmann::json::parse(line.begin(), line.end(), nullptr, false);
    if (general.is_discarded()) throw MalformedLine(MalformedReason::not_json, "not valid JSON");
    if (!general.is_object()) throw MalformedLine(MalformedReason::not_object, "not a JSON object");
    fields = fields_of(general);
  }

  const Field& type = fields.type;
  if (type.kind == Field::Kind::missing) throw MalformedLine(MalformedReason::bad_type, "no \"type\"");
  if (type.kind == Field::Kind::other)
    throw MalformedLine(MalformedReason::bad_type, "\"type\" must be a row number, an event-type GUID or a display name");
  std::array<char, 20> digits;
  std::string_view event = type.text;
  if (type.kind == Field::Kind::whole_number)
    event = {digits.data(), static_cast<std::size_t>(std::to_chars(digits.begin(), digits.end(), type.number).ptr - digits.data())};
  if (fields.payload.kind != Field::Kind::text)
    throw MalformedLine(MalformedReason::bad_payload, "\"payload\" must be a hexadecimal string");

  const std::vector<const EventRow*>& named = rows_named(event);
  const EventRow& row = fields.row.kind == Field::Kind::missing ? only_row(named, event, events_)
                                                                 : chosen_row(fields.row, named, event, events_);
  try {
    parse_hex(fields.payload.text, payload_);
  } catch (const InputError& e) {
    throw MalformedLine(MalformedReason::bad_payload, e.what());
  }
  return row;
}

}  // namespace host
