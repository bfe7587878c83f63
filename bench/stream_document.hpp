// An XML document assembled in a std::ostringstream, line by line, texts and attribute values
// escaped as the plug-in escapes them.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "document_line.hpp"

namespace bench {

class StreamDocument {
 public:
  // <name attribute>, then a line break.
  void open(unsigned depth, std::string_view name, const Attribute* attribute = nullptr);
  // </name>, then a line break.
  void close(unsigned depth, std::string_view name);
  // <name attribute>text</name>, or <name attribute/> without text, then a line break.
  void element(unsigned depth, std::string_view name, const Attribute* attribute,
               const std::optional<std::string>& text);

  std::string text() const { return xml_.str(); }

 private:
  void start_tag(unsigned depth, std::string_view name, const Attribute* attribute);

  std::ostringstream xml_;
};

}  // namespace bench
