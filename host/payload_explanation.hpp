// Which bytes of a payload made which field: the payload's reads, in payload order, each with
// the cursor primitive that made it, the XML elements it belongs to and the text it was rendered
// as, or its role when it steers the layout; the bytes no read reached; and where a failed
// rendering stopped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/read_observer.hpp"

namespace host {

class LinkedRenderers;
struct EventRow;

struct ExplainedSpan {
  std::size_t offset;
  std::size_t length;
  io::Primitive primitive;
  io::LayoutRole role;  // none for a value
  // The XML elements open when the span was read, or those of the text it was rendered as, each
  // labelled by its first attribute's value where it has one: "changed[Home]/new-value". "/" for
  // the top level.
  std::string path;
  std::optional<std::string> value;  // the text a value was rendered as
};

struct ExplainedFailure {
  std::size_t offset;  // where the read that failed started
  // For a read past the end: the bytes it needed and those left.
  std::optional<std::size_t> needed;
  std::optional<std::size_t> remaining;
  std::string description;  // the entry's error description, or its HRESULT
};

struct Explanation {
  std::vector<std::uint8_t> payload;
  std::vector<ExplainedSpan> spans;  // in payload order, tiling the bytes read
  std::size_t read = 0;              // bytes read: the spans end here
  std::optional<ExplainedFailure> failure;

  std::size_t unread() const noexcept { return payload.size() - read; }
};

// Renders the payload as XML with the row's linked entry, observing its reads.
Explanation explain_payload(const LinkedRenderers& renderers, const EventRow& row,
                            std::vector<std::uint8_t> payload);

// "byte", "32-bit integer", "text length", ...
std::string_view primitive_name(io::Primitive primitive) noexcept;
// "count", "change mask", ...; empty for none.
std::string_view role_name(io::LayoutRole role) noexcept;
// The number a steering span holds, read little-endian from its bytes, as its role shows it:
// masks and flags in hexadecimal, counts, lengths and tags in decimal.
std::string steering_value(const ExplainedSpan& span, const std::vector<std::uint8_t>& payload);

}  // namespace host
