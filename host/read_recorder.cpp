#include "read_recorder.hpp"

#include "io/text_output.hpp"

namespace host {

namespace {

// The role that a primitive's reads have whatever the renderer says.
io::LayoutRole role_of(io::Primitive primitive) noexcept {
  switch (primitive) {
    case io::Primitive::count:
      return io::LayoutRole::count;
    case io::Primitive::text_length:
    case io::Primitive::wide_text_length:
    case io::Primitive::moniker_length:
    case io::Primitive::task_text_length:
      return io::LayoutRole::text_length;
    default:
      return io::LayoutRole::none;
  }
}

}  // namespace

ReadRecorder::ReadRecorder() noexcept : previous_(io::ReadObserver::current()) {
  io::ReadObserver::current() = this;
}

ReadRecorder::~ReadRecorder() { io::ReadObserver::current() = previous_; }

void ReadRecorder::sink_opened(const io::text::output_stream& sink) noexcept {
  sink_ = &sink;
  reads_.clear();
  underflow_.reset();
}

void ReadRecorder::read(io::Primitive primitive, std::size_t offset, std::size_t length) noexcept {
  if (length == 0) return;  // an empty name's body: no bytes to show
  const std::size_t position = sink_ != nullptr ? sink_->written() : 0;
  reads_.push_back({primitive, role_of(primitive), offset, length, position});
}

void ReadRecorder::steers(io::LayoutRole role) noexcept {
  if (!reads_.empty()) reads_.back().role = role;
}

void ReadRecorder::underflow(std::size_t offset, std::size_t needed, std::size_t remaining) noexcept {
  underflow_ = RecordedUnderflow{offset, needed, remaining};
}

}  // namespace host
