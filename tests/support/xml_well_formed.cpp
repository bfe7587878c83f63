#include "support/xml_well_formed.hpp"

#include <libxml/parser.h>

#include <bit>

namespace test {
namespace {

void ignore_message(void*, const char*, ...) {}

}  // namespace

std::string xml_fragment_error(std::u16string_view fragment) {
  static_assert(std::endian::native == std::endian::little);
  std::u16string document = u"<fragment>";
  document += fragment;
  document += u"</fragment>";
  // The input decoder reports through the generic handler, which the parse options leave on.
  xmlSetGenericErrorFunc(nullptr, ignore_message);
  xmlResetLastError();
  xmlDocPtr parsed = xmlReadMemory(reinterpret_cast<const char*>(document.data()),
                                   static_cast<int>(2 * document.size()), nullptr, "UTF-16LE",
                                   XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (parsed != nullptr) {
    xmlFreeDoc(parsed);
    return "";
  }
  const xmlError* error = xmlGetLastError();
  return error != nullptr && error->message != nullptr ? error->message : "not well-formed";
}

}  // namespace test
