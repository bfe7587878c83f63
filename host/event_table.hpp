// The plug-in's records as rows, and the ways a user names one: a row number, an event-type GUID
// or a display name. GUIDs and names are not unique (rows 6 and 11 share a GUID, rows 13 and 15 a
// name), so lookups answer with every row that fits.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exit_status.hpp"
#include "platform/com.h"
#include "veduvedader/eventui.h"

namespace host {

struct EventRow {
  std::size_t row;
  const EVENTUI* record;
  std::string type;  // the GUID as text
  std::string name;  // the display name as UTF-8
};

class EventTable {
 public:
  explicit EventTable(std::span<const EVENTUI> records);

  std::span<const EventRow> rows() const noexcept { return rows_; }

  // nullptr when there is no such row.
  const EventRow* row(std::size_t number) const noexcept;

  // The rows that an EVENT argument names, in table order: a row number names one row, a GUID
  // (braces optional) or a display name (letter case ignored) every row that has it. Blanks
  // around the argument are ignored.
  std::vector<const EventRow*> find(std::string_view event) const;
  // The same into found, whose capacity is kept from one call to the next.
  void find(std::string_view event, std::vector<const EventRow*>& found) const;

 private:
  std::vector<EventRow> rows_;
};

// "  9  {GUID}  name": the row number right-aligned, as lists of rows show it.
std::string describe_row(const EventRow& row);

// An EVENT argument that names no row, or several.
class EventNotResolved : public InputError {
 public:
  enum class Kind { none, ambiguous };
  EventNotResolved(Kind kind, const std::string& message) : InputError(message), kind_(kind) {}
  Kind kind() const noexcept { return kind_; }

 private:
  Kind kind_;
};

// "no event matches 'X'", with the nearest display names when some are near.
std::string no_event_message(const EventTable& table, std::string_view event);

// The one row that EVENT names; EventNotResolved when none does or, listing the candidates, when
// several do.
const EventRow& resolve_event(const EventTable& table, std::string_view event);

}  // namespace host
