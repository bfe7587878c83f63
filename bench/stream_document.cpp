#include "stream_document.hpp"

#include <algorithm>
#include <ostream>

namespace bench {
namespace {

// What XML needs escaped, found a run at a time: markup characters, the controls XML does not
// allow (written as U+FFFD), and in attribute values the quote, TAB, LF and CR as well.
constexpr char disallowed_controls[] =
    "\x01\x02\x03\x04\x05\x06\x07\x08\x0B\x0C\x0E\x0F\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A"
    "\x1B\x1C\x1D\x1E\x1F";
const std::string content_specials = std::string("&<>") + disallowed_controls + '\0';
const std::string attribute_specials = content_specials + "\"\t\n\r";

std::string_view replacement(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\t': return "&#9;";
    case '\n': return "&#10;";
    case '\r': return "&#13;";
    default: return "\xEF\xBF\xBD";
  }
}

void write_escaped(std::ostream& out, std::string_view text, const std::string& specials) {
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t at = std::min(text.find_first_of(specials, from), text.size());
    out.write(text.data() + from, static_cast<std::streamsize>(at - from));
    if (at == text.size()) break;
    out << replacement(text[at]);
    from = at + 1;
  }
}

}  // namespace

void StreamDocument::start_tag(unsigned depth, std::string_view name, const Attribute* attribute) {
  xml_ << std::string(depth, ' ') << '<' << name;
  if (attribute != nullptr) {
    xml_ << ' ' << attribute->name << "=\"";
    write_escaped(xml_, attribute->value, attribute_specials);
    xml_ << '"';
  }
}

void StreamDocument::open(unsigned depth, std::string_view name, const Attribute* attribute) {
  start_tag(depth, name, attribute);
  xml_ << ">\n";
}

void StreamDocument::close(unsigned depth, std::string_view name) {
  xml_ << std::string(depth, ' ') << "</" << name << ">\n";
}

void StreamDocument::element(unsigned depth, std::string_view name, const Attribute* attribute,
                             const std::optional<std::string>& text) {
  start_tag(depth, name, attribute);
  if (text) {
    xml_ << '>';
    write_escaped(xml_, *text, content_specials);
    xml_ << "</" << name << ">\n";
  } else {
    xml_ << "/>\n";
  }
}

}  // namespace bench
