// Renders the lines of a chunk into their records, as one rendering thread of a batch does: it
// keeps its line parser and its entries' buffers from one line and one chunk to the next.
#pragma once

#include <string_view>

#include "batch_chunk.hpp"
#include "batch_line_parser.hpp"
#include "batch_record.hpp"
#include "event_renderer.hpp"

namespace host {

class EventTable;
class PluginLibrary;

class ChunkRenderer {
 public:
  ChunkRenderer(const PluginLibrary& plugin, const EventTable& events, BufferPolicy buffers);

  // Fills the chunk's records, notes and count of events from its lines. Malformed lines get
  // their record; any other error ends the chunk's rendering by its exception.
  void render(Chunk& chunk);

 private:
  void render_line(std::string_view line, std::size_t line_number, Chunk& chunk);

  EventRenderer renderer_;
  BatchLineParser parser_;
  BatchRecordWriter records_;
};

}  // namespace host
