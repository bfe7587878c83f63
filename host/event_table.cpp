#include "event_table.hpp"

#include <algorithm>
#include <charconv>

#include "com/guid_text.hpp"
#include "guid_text.hpp"
#include "nearest_words.hpp"
#include "platform/utf8.hpp"

namespace host {

namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) noexcept {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

bool is_row_number(std::string_view text) noexcept {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view trim_blanks(std::string_view text) noexcept {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

EventTable::EventTable(std::span<const EVENTUI> records) {
  rows_.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const EVENTUI& record = records[i];
    std::u16string_view name = record.pszName != nullptr ? std::u16string_view(record.pszName) : u"";
    rows_.push_back({i, &record, std::string(com::guid_text<char>(record.guidType).braced()),
                     platform::to_utf8(name)});
  }
}

const EventRow* EventTable::row(std::size_t number) const noexcept {
  return number < rows_.size() ? &rows_[number] : nullptr;
}

std::vector<const EventRow*> EventTable::find(std::string_view event) const {
  std::vector<const EventRow*> found;
  find(event, found);
  return found;
}

void EventTable::find(std::string_view event, std::vector<const EventRow*>& found) const {
  event = trim_blanks(event);
  found.clear();
  if (is_row_number(event)) {
    std::size_t number = 0;
    auto [end, error] = std::from_chars(event.data(), event.data() + event.size(), number);
    if (error == std::errc() && end == event.data() + event.size())
      if (const EventRow* r = row(number)) found.push_back(r);
    return;
  }
  if (std::optional<GUID> type = parse_guid(event)) {
    for (const EventRow& r : rows_)
      if (r.record->guidType == *type) found.push_back(&r);
    return;
  }
  for (const EventRow& r : rows_)
    if (equal_ignoring_case(r.name, event)) found.push_back(&r);
}

std::string describe_row(const EventRow& row) {
  std::string number = std::to_string(row.row);
  return std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + "  " + row.type + "  " + row.name;
}

std::string no_event_message(const EventTable& table, std::string_view event) {
  event = trim_blanks(event);
  std::vector<std::string> names;
  names.reserve(table.rows().size());
  for (const EventRow& r : table.rows()) names.push_back(r.name);
  std::string hint = did_you_mean(event, names);
  return "no event matches '" + std::string(event) + "'" + (hint.empty() ? " (try: veduvedad list)" : "; " + hint);
}

const EventRow& resolve_event(const EventTable& table, std::string_view event) {
  std::vector<const EventRow*> found = table.find(event);
  if (found.size() == 1) return *found.front();
  if (found.empty()) throw EventNotResolved(EventNotResolved::Kind::none, no_event_message(table, event));
  std::string message = "'" + std::string(trim_blanks(event)) + "' is ambiguous; give one of these row numbers:";
  for (const EventRow* r : found)
    message += "\n" + describe_row(*r);
  throw EventNotResolved(EventNotResolved::Kind::ambiguous, message);
}

}  // namespace host
