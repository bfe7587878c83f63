#include "xml_writer_document.hpp"

#include <stdexcept>

namespace bench {
namespace {

const xmlChar* xml_text(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

void check(int result) {
  if (result < 0) throw std::runtime_error("xmlTextWriter failed");
}

constexpr char blanks[] = "                                                                ";

}  // namespace

XmlWriterDocument::XmlWriterDocument()
    : buffer_(xmlBufferCreate()), writer_(buffer_ ? xmlNewTextWriterMemory(buffer_, 0) : nullptr) {
  if (writer_ == nullptr) {
    if (buffer_ != nullptr) xmlBufferFree(buffer_);
    throw std::bad_alloc();
  }
}

XmlWriterDocument::~XmlWriterDocument() {
  xmlFreeTextWriter(writer_);
  xmlBufferFree(buffer_);
}

void XmlWriterDocument::raw(const char* text, int length) {
  check(xmlTextWriterWriteRawLen(writer_, xml_text(text), length));
}

void XmlWriterDocument::indentation(unsigned depth) {
  if (depth >= sizeof blanks) throw std::invalid_argument("nesting too deep");
  raw(blanks, static_cast<int>(depth));
}

void XmlWriterDocument::start_tag(unsigned depth, std::string_view name,
                                  const Attribute* attribute) {
  indentation(depth);
  check(xmlTextWriterStartElement(writer_, xml_text(name.data())));
  if (attribute != nullptr)
    check(xmlTextWriterWriteAttribute(writer_, xml_text(attribute->name.data()),
                                      xml_text(attribute->value.data())));
}

void XmlWriterDocument::open(unsigned depth, std::string_view name, const Attribute* attribute) {
  start_tag(depth, name, attribute);
  raw("\n", 1);
}

void XmlWriterDocument::close(unsigned depth, std::string_view /*name: the writer knows it*/) {
  indentation(depth);
  check(xmlTextWriterFullEndElement(writer_));
  raw("\n", 1);
}

void XmlWriterDocument::element(unsigned depth, std::string_view name, const Attribute* attribute,
                                const std::optional<std::string>& text) {
  start_tag(depth, name, attribute);
  if (text) {
    check(xmlTextWriterWriteString(writer_, xml_text(text->c_str())));
    check(xmlTextWriterFullEndElement(writer_));
  } else {
    check(xmlTextWriterEndElement(writer_));
  }
  raw("\n", 1);
}

std::string_view XmlWriterDocument::text() {
  check(xmlTextWriterFlush(writer_));
  return {reinterpret_cast<const char*>(xmlBufferContent(buffer_)),
          static_cast<std::size_t>(xmlBufferLength(buffer_))};
}

}  // namespace bench
