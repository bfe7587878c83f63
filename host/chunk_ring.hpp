// The chunks of a batch in flight, in a ring, and the hand-overs between the thread that reads
// the log, the threads that render and the thread that writes. The reader fills the chunks in log
// order, each renderer takes the next filled one, and the writer takes them back in log order once
// rendered and frees them for the reader. Nothing is copied between the threads; each chunk
// belongs to one thread at a time.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <vector>

#include "batch_chunk.hpp"

namespace host {

class ChunkRing {
 public:
  explicit ChunkRing(std::size_t size);

  // Reader: the chunk to fill next, once the writer is done with it; nullptr after stop().
  Chunk* chunk_to_fill();
  // Reader: the chunk from chunk_to_fill() is ready to render.
  void filled();
  // Reader: there will be no more chunks, for the reason failure gives (null at the log's end).
  void end_input(std::exception_ptr failure);

  // Renderer: the next filled chunk; nullptr when there is none left, or after stop().
  Chunk* chunk_to_render();
  // Renderer: chunk, from chunk_to_render(), is ready to write.
  void rendered(const Chunk& chunk);

  // Writer: the next chunk in log order once it is rendered; nullptr after the last.
  Chunk* chunk_to_write();
  // Writer: the chunk from chunk_to_write() can be filled again.
  void written();

  // Wakes every thread that waits and makes it give up.
  void stop();

  bool input_ended();
  // What ended the input early; null when it ran to its end.
  std::exception_ptr input_failure();

 private:
  std::size_t slot(std::size_t sequence) const noexcept { return sequence % chunks_.size(); }
  std::size_t free_slots() const noexcept { return written_ + chunks_.size() - filled_; }

  std::vector<Chunk> chunks_;
  std::vector<char> rendered_;  // by slot
  // Once the ring is full, the reader waits until this many chunks are free, so that it fills
  // several in a row rather than waking for each one the writer frees.
  std::size_t refill_;
  bool reader_waiting_ = false;
  // Chunks by their sequence in the log: those filled, taken to render, and written.
  std::size_t filled_ = 0;
  std::size_t claimed_ = 0;
  std::size_t written_ = 0;
  bool ended_ = false;
  bool stopping_ = false;
  std::exception_ptr input_failure_;

  std::mutex lock_;
  std::condition_variable slot_free_;
  std::condition_variable work_;
  std::condition_variable chunk_done_;
};

}  // namespace host
