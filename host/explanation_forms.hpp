// The three forms of an explanation: a table for people, the classic hex dump with each field's
// bytes in its colour and a legend, and one JSON document for tools.
#pragma once

#include <string>

#include "terminal_colour.hpp"

namespace host {

struct EventRow;
struct Explanation;

std::string explanation_table(const EventRow& row, const Explanation& explanation);
std::string explanation_hexdump(const EventRow& row, const Explanation& explanation, ColourDepth colour);
std::string explanation_json(const EventRow& row, const Explanation& explanation);

// "Row 9 (InBand Switch): 18 bytes, 16 read, 2 not read by this event type".
std::string explanation_heading(const EventRow& row, const Explanation& explanation);
// "needed 4 bytes at offset 36, 2 left (an underflow occured)", or the description alone.
std::string failure_text(const Explanation& explanation);
// What a span shows in a column: the value it was rendered as, or its role and number.
std::string span_meaning(const Explanation& explanation, std::size_t span);
// Payload text on one line of a table: controls (line breaks, tabs) become U+FFFD.
std::string on_one_line(std::string text);

}  // namespace host
