// Reads an event payload front to back. Every read checks the bytes left first, in one place,
// and raises io::underflow instead of reading past the end.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "com/com_ptr.hpp"
#include "com/task_string.hpp"
#include "io/narrow_text.hpp"
#include "io/read_observer.hpp"
#include "io/wide_text.hpp"

class ByteCursor {
 public:
  ByteCursor(const std::uint8_t* payload, std::uint32_t length) noexcept
      : begin_(payload), position_(payload), end_(payload + length) {}

  std::size_t remaining() const noexcept { return static_cast<std::size_t>(end_ - position_); }
  std::size_t offset() const noexcept { return static_cast<std::size_t>(position_ - begin_); }

  std::uint8_t read_u8() { return *take(1, io::Primitive::byte); }
  bool read_bool() { return read_u8() != 0; }
  std::uint16_t read_u16() { return read_le<std::uint16_t>(io::Primitive::u16); }
  std::int16_t read_i16() { return static_cast<std::int16_t>(read_le<std::uint16_t>(io::Primitive::i16)); }
  std::uint32_t read_u32() { return read_le<std::uint32_t>(io::Primitive::u32); }
  std::int32_t read_i32() { return static_cast<std::int32_t>(read_le<std::uint32_t>(io::Primitive::i32)); }
  std::uint64_t read_u64() { return read_le<std::uint64_t>(io::Primitive::u64); }
  std::int64_t read_i64() { return static_cast<std::int64_t>(read_le<std::uint64_t>(io::Primitive::i64)); }
  void skip(std::size_t n) { take(n, io::Primitive::skipped); }
  std::uint16_t read_count() { return read_le<std::uint16_t>(io::Primitive::count); }

  // Says what the last read decides about the layout of the bytes after it. Only an observed
  // build (io/read_observer.hpp) keeps it.
  void steers([[maybe_unused]] io::LayoutRole role) const noexcept {
#if VED_OBSERVE_READS
    if (observer_ != nullptr) observer_->steers(role);
#endif
  }

  // Narrow text behind a 16-bit byte count, viewed in place.
  io::NarrowText read_string();
  // UTF-16 text behind a 16-bit unit count, viewed in place.
  io::WideText read_wstring();
  // A moniker stored as its display name; null for an empty name or one starting "(none)".
  com::ComPtr<IMoniker> read_moniker();
  // Text behind a signed 16-bit count, copied to task memory and terminated; null below 1.
  com::TaskString read_task_wstring();

 private:
  // The one bounds check: the next n bytes, or io::underflow(n, remaining()).
  const std::uint8_t* take(std::size_t n, [[maybe_unused]] io::Primitive primitive) {
    if (n > remaining()) raise_underflow(n);
    const std::uint8_t* p = position_;
    position_ += n;
#if VED_OBSERVE_READS
    if (observer_ != nullptr) observer_->read(primitive, static_cast<std::size_t>(p - begin_), n);
#endif
    return p;
  }
  template <class T>
  T read_le(io::Primitive primitive) {
    static_assert(std::endian::native == std::endian::little);
    T value;
    std::memcpy(&value, take(sizeof value, primitive), sizeof value);
    return value;
  }
  [[noreturn]] void raise_underflow(std::size_t needed) const;

  const std::uint8_t* begin_;
  const std::uint8_t* position_;
  const std::uint8_t* end_;
#if VED_OBSERVE_READS
  io::ReadObserver* observer_ = io::ReadObserver::current();
#endif
};
