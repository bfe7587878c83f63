// An XML document assembled with libxml2's xmlTextWriter into an xmlBuffer, line by line.
#pragma once

#include <libxml/xmlwriter.h>

#include <optional>
#include <string>
#include <string_view>

#include "document_line.hpp"

namespace bench {

// Names and attributes are the renderers' literals, so they are terminated where their views end.
class XmlWriterDocument {
 public:
  XmlWriterDocument();
  ~XmlWriterDocument();
  XmlWriterDocument(const XmlWriterDocument&) = delete;
  XmlWriterDocument& operator=(const XmlWriterDocument&) = delete;

  // <name attribute>, then a line break.
  void open(unsigned depth, std::string_view name, const Attribute* attribute = nullptr);
  // </name>, then a line break.
  void close(unsigned depth, std::string_view name);
  // <name attribute>text</name>, or <name attribute/> without text, then a line break.
  void element(unsigned depth, std::string_view name, const Attribute* attribute,
               const std::optional<std::string>& text);

  // The UTF-8 document; valid while the document lives.
  std::string_view text();

 private:
  void start_tag(unsigned depth, std::string_view name, const Attribute* attribute);
  void indentation(unsigned depth);
  void raw(const char* text, int length);

  xmlBufferPtr buffer_;
  xmlTextWriterPtr writer_;
};

}  // namespace bench
