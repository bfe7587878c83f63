#include "conventional_renderers.hpp"

#include "caller_buffer.hpp"
#include "changes/inband_policy_records.hpp"
#include "concatenated_switch_text.hpp"
#include "document_renderers.hpp"
#include "io/byte_cursor.hpp"
#include "stream_document.hpp"
#include "xml_writer_document.hpp"

namespace bench {
namespace {

ByteCursor cursor_over(std::span<const std::uint8_t> payload) {
  return ByteCursor(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

template <class Document, void (*Write)(Document&, ByteCursor&)>
bool render_document(std::span<const std::uint8_t> payload, char16_t* buffer, std::uint32_t size,
                     std::uint32_t* /*colour*/) {
  ByteCursor in = cursor_over(payload);
  Document document;
  Write(document, in);
  return copy_to_caller_buffer(document.text(), buffer, size);
}

template <class Document, const data::RecordType& Record>
void write_policy_change(Document& document, ByteCursor& in) {
  write_change_set(document, in, Record, top_depth);
}

bool render_inband_switch_text(std::span<const std::uint8_t> payload, char16_t* buffer,
                               std::uint32_t size, std::uint32_t* colour) {
  ByteCursor in = cursor_over(payload);
  return copy_to_caller_buffer(concatenated_inband_switch_text(in, *colour), buffer, size);
}

template <class Document>
constexpr ConventionalRenderer exclusion_change =
    &render_document<Document, &write_exclusion_change<Document>>;

template <class Document, const data::RecordType& Record>
constexpr ConventionalRenderer policy_change =
    &render_document<Document, &write_policy_change<Document, Record>>;

namespace policy = data::inband_policy;

// clang-format off
constexpr ConventionalRendering renderings[] = {
  {1, Output::xml, "ostringstream", policy_change<StreamDocument, policy::InBandPolicyRecord>},
  {1, Output::xml, "libxml2", policy_change<XmlWriterDocument, policy::InBandPolicyRecord>},
  {2, Output::xml, "ostringstream", policy_change<StreamDocument, policy::InBandPolicyV0Record>},
  {2, Output::xml, "libxml2", policy_change<XmlWriterDocument, policy::InBandPolicyV0Record>},
  {3, Output::xml, "ostringstream", policy_change<StreamDocument, policy::InBandPolicyV1Record>},
  {3, Output::xml, "libxml2", policy_change<XmlWriterDocument, policy::InBandPolicyV1Record>},
  {4, Output::xml, "ostringstream", policy_change<StreamDocument, policy::InBandPolicyV2Record>},
  {4, Output::xml, "libxml2", policy_change<XmlWriterDocument, policy::InBandPolicyV2Record>},
  {9, Output::text, "concatenation", &render_inband_switch_text},
  {25, Output::xml, "ostringstream", exclusion_change<StreamDocument>},
  {25, Output::xml, "libxml2", exclusion_change<XmlWriterDocument>},
};
// clang-format on

}  // namespace

std::span<const ConventionalRendering> conventional_renderings() { return renderings; }

}  // namespace bench
