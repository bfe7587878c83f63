#include "batch_chunk_renderer.hpp"

#include <cstring>
#include <string>

#include "event_table.hpp"
#include "hresult_text.hpp"
#include "platform/utf8.hpp"
#include "plugin_library.hpp"

namespace host {

namespace {

bool is_blank(std::string_view line) noexcept { return line.find_first_not_of(" \t") == std::string_view::npos; }

// "0x80020009 DISP_E_EXCEPTION: an underflow occured", what the summary groups failures by.
std::string failure_reason(const Rendering& rendering) {
  std::string reason = describe_hresult(rendering.hr);
  return rendering.error_description
             ? reason + ": " + platform::to_utf8(*rendering.error_description)
             : reason + " (no error description)";
}

}  // namespace

ChunkRenderer::ChunkRenderer(const PluginLibrary& plugin, const EventTable& events, BufferPolicy buffers)
    : renderer_(plugin, buffers), parser_(events), records_(events) {}

void ChunkRenderer::render(Chunk& chunk) {
  chunk.records.clear();
  chunk.notes.clear();
  chunk.events = 0;
  const char* at = chunk.lines.data();
  const char* const end = at + chunk.lines.size();
  for (std::size_t number = chunk.first_line; at != end; ++number) {
    const auto* feed = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
    std::string_view line(at, static_cast<std::size_t>((feed != nullptr ? feed : end) - at));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    render_line(line, number, chunk);
    at = feed != nullptr ? feed + 1 : end;
  }
}

void ChunkRenderer::render_line(std::string_view line, std::size_t line_number, Chunk& chunk) {
  if (is_blank(line)) return;
  const std::size_t record_start = chunk.records.size();
  try {
    const EventRow& row = parser_.parse(line);
    const Rendering text = renderer_.text(*row.record, parser_.payload());
    const Rendering xml = renderer_.xml(*row.record, parser_.payload());
    records_.append(chunk.records, line_number, row, text, xml);
    ++chunk.events;
    const Rendering& deciding = deciding_part(text, xml) == RenderedPart::text ? text : xml;
    if (!deciding.succeeded())
      chunk.notes.push_back({record_start, line_number, false, MalformedReason::not_json, failure_reason(deciding)});
  } catch (const MalformedLine& e) {
    append_malformed_record(chunk.records, line_number, e.what());
    chunk.notes.push_back({record_start, line_number, true, e.reason(), e.what()});
  }
  chunk.records.append("\n");
}

}  // namespace host
