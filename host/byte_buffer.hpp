// A growable run of bytes for output built piece by piece. Room for a piece is reserved once and
// the piece is written through a pointer: no zero-fill as with std::string or std::vector, and no
// capacity check per character. The capacity is kept when the buffer is cleared.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

namespace host {

class ByteBuffer {
 public:
  const char* data() const noexcept { return bytes_.get(); }
  std::size_t size() const noexcept { return size_; }
  std::size_t capacity() const noexcept { return capacity_; }
  std::string_view view() const noexcept { return {bytes_.get(), size_}; }

  void clear() noexcept { size_ = 0; }

  // Where the next `count` bytes go; commit() then says where the written ones end.
  char* reserve(std::size_t count) {
    if (capacity_ - size_ < count) grow(count);
    return bytes_.get() + size_;
  }
  void commit(const char* end) noexcept {
    assert(end >= bytes_.get() + size_ && end <= bytes_.get() + capacity_);
    size_ = static_cast<std::size_t>(end - bytes_.get());
  }

  // Keeps the first `count` bytes, at most all there are.
  void truncate(std::size_t count) noexcept { size_ = count < size_ ? count : size_; }

  void append(std::string_view piece) {
    char* at = reserve(piece.size());
    if (!piece.empty()) std::memcpy(at, piece.data(), piece.size());
    commit(at + piece.size());
  }

  // Drops the contents and, when the capacity is above `limit`, the memory too, so that one
  // exceptional piece does not keep its memory for the rest of the run.
  void reset(std::size_t limit) noexcept {
    size_ = 0;
    if (capacity_ > limit) {
      bytes_.reset();
      capacity_ = 0;
    }
  }

 private:
  void grow(std::size_t count) {
    std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_;
    while (capacity - size_ < count) {
      if (capacity > SIZE_MAX / 2) throw std::bad_alloc();
      capacity *= 2;
    }
    std::unique_ptr<char[]> bytes(new char[capacity]);
    if (size_ != 0) std::memcpy(bytes.get(), bytes_.get(), size_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace host
