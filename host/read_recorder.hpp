// Records the payload reads of the renderings on the calling thread, in the build of the
// renderers that the host links (io/read_observer.hpp): each read with where the rendering's
// output stood when it was made, the roles of reads that steer the layout, and a read that
// needed more bytes than were left.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "io/read_observer.hpp"

namespace host {

struct RecordedRead {
  io::Primitive primitive;
  io::LayoutRole role;
  std::size_t offset;
  std::size_t length;
  std::size_t output_position;  // UTF-16 units written before the read
};

struct RecordedUnderflow {
  std::size_t offset;
  std::size_t needed;
  std::size_t remaining;
};

// Observes the thread's renderings while it lives. Each new sink starts the record afresh, so
// that a rendering repeated with a larger buffer leaves the record of its last attempt.
class ReadRecorder final : public io::ReadObserver {
 public:
  ReadRecorder() noexcept;
  ~ReadRecorder() override;
  ReadRecorder(const ReadRecorder&) = delete;
  ReadRecorder& operator=(const ReadRecorder&) = delete;

  const std::vector<RecordedRead>& reads() const noexcept { return reads_; }
  const std::optional<RecordedUnderflow>& underflow() const noexcept { return underflow_; }

  void sink_opened(const io::text::output_stream& sink) noexcept override;
  void read(io::Primitive primitive, std::size_t offset, std::size_t length) noexcept override;
  void steers(io::LayoutRole role) noexcept override;
  void underflow(std::size_t offset, std::size_t needed, std::size_t remaining) noexcept override;

 private:
  io::ReadObserver* previous_;
  const io::text::output_stream* sink_ = nullptr;
  std::vector<RecordedRead> reads_;
  std::optional<RecordedUnderflow> underflow_;
};

}  // namespace host
