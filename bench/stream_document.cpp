#include "stream_document.hpp"

namespace bench {

void StreamDocument::start_tag(unsigned depth, std::string_view name, const Attribute* attribute) {
  xml_ << std::string(depth, ' ') << '<' << name;
  if (attribute != nullptr) xml_ << ' ' << attribute->name << "=\"" << attribute->value << '"';
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
  if (text)
    xml_ << '>' << *text << "</" << name << ">\n";
  else
    xml_ << "/>\n";
}

}  // namespace bench
