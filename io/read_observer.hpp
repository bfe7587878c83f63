// What a read of the payload was, for tools that show which bytes made which field. Only a build
// compiled with VED_OBSERVE_READS reports reads to an observer; everywhere else the names below
// are all there is, and the cursor's reads carry them at no cost.
#pragma once

#include <cstddef>
#include <cstdint>

namespace io {

// The cursor primitive that consumed a run of bytes.
enum class Primitive : std::uint8_t {
  byte,
  u16,
  i16,
  u32,
  i32,
  u64,
  i64,
  skipped,
  count,
  text_length,
  text_bytes,
  wide_text_length,
  wide_text_units,
  moniker_length,
  moniker,
  task_text_length,
  task_text_units,
};

// What a read decides about the bytes after it, for those that steer the layout rather than
// hold a value.
enum class LayoutRole : std::uint8_t { none, count, text_length, change_mask, flags, tag };

#if VED_OBSERVE_READS
namespace text {
class output_stream;
}

class ReadObserver {
 public:
  // The observer of the calling thread's renderings; null when nobody observes.
  static ReadObserver*& current() noexcept {
    static thread_local ReadObserver* observer = nullptr;
    return observer;
  }

  // A sink of the rendering was built: reads are placed in its output.
  virtual void sink_opened(const text::output_stream& sink) noexcept = 0;
  virtual void read(Primitive primitive, std::size_t offset, std::size_t length) noexcept = 0;
  // The last read steers the layout in this role.
  virtual void steers(LayoutRole role) noexcept = 0;
  // A read that needed more bytes than were left.
  virtual void underflow(std::size_t offset, std::size_t needed, std::size_t remaining) noexcept = 0;

  virtual ~ReadObserver() = default;
};
#endif

}  // namespace io
