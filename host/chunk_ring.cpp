#include "chunk_ring.hpp"

namespace host {

ChunkRing::ChunkRing(std::size_t size) : chunks_(size), rendered_(size, 0), refill_(size > 1 ? size / 2 : 1) {}

Chunk* ChunkRing::chunk_to_fill() {
  std::unique_lock hold(lock_);
  if (free_slots() == 0) {
    reader_waiting_ = true;
    slot_free_.wait(hold, [this] { return stopping_ || free_slots() >= refill_; });
    reader_waiting_ = false;
  }
  return stopping_ ? nullptr : &chunks_[slot(filled_)];
}

void ChunkRing::filled() {
  {
    std::lock_guard hold(lock_);
    rendered_[slot(filled_)] = 0;
    ++filled_;
  }
  work_.notify_one();
}

void ChunkRing::end_input(std::exception_ptr failure) {
  {
    std::lock_guard hold(lock_);
    ended_ = true;
    input_failure_ = std::move(failure);
  }
  work_.notify_all();
  chunk_done_.notify_all();
}

Chunk* ChunkRing::chunk_to_render() {
  std::unique_lock hold(lock_);
  work_.wait(hold, [this] { return stopping_ || ended_ || claimed_ < filled_; });
  if (stopping_ || claimed_ == filled_) return nullptr;
  return &chunks_[slot(claimed_++)];
}

void ChunkRing::rendered(const Chunk& chunk) {
  {
    std::lock_guard hold(lock_);
    rendered_[static_cast<std::size_t>(&chunk - chunks_.data())] = 1;
  }
  chunk_done_.notify_one();
}

Chunk* ChunkRing::chunk_to_write() {
  std::unique_lock hold(lock_);
  chunk_done_.wait(hold, [this] {
    return (written_ < filled_ && rendered_[slot(written_)] != 0) || (ended_ && written_ == filled_);
  });
  return written_ < filled_ ? &chunks_[slot(written_)] : nullptr;
}

void ChunkRing::written() {
  bool wake = false;
  {
    std::lock_guard hold(lock_);
    ++written_;
    wake = reader_waiting_ && free_slots() == refill_;
  }
  if (wake) slot_free_.notify_one();
}

void ChunkRing::stop() {
  {
    std::lock_guard hold(lock_);
    stopping_ = true;
  }
  slot_free_.notify_all();
  work_.notify_all();
  chunk_done_.notify_all();
}

bool ChunkRing::input_ended() {
  std::lock_guard hold(lock_);
  return ended_;
}

std::exception_ptr ChunkRing::input_failure() {
  std::lock_guard hold(lock_);
  return input_failure_;
}

}  // namespace host
