#include "output_buffer.hpp"

#include <algorithm>
#include <cstring>

namespace host {

namespace {

// A noncharacter: no renderer writes it, though a payload could carry it. That would only matter
// after the terminator, where nothing is written.
constexpr char16_t marker = u'\xFFFF';

}  // namespace

OutputBuffer::OutputBuffer(std::uint32_t units) : units_(units, marker) {}

void OutputBuffer::prepare() {
  std::fill_n(units_.begin(), static_cast<std::ptrdiff_t>(touched_), marker);
  // Until written() measures the next call, all of it counts as touched.
  touched_ = units_.size();
}

std::u16string_view OutputBuffer::written() {
  // One past the last unit written. The marker run after the text is usually most of the buffer,
  // so it is passed over four units at a time.
  std::size_t end = units_.size();
  constexpr std::uint64_t marker_word = 0x0001000100010001u * marker;
  for (std::uint64_t word; end >= 4; end -= 4) {
    std::memcpy(&word, &units_[end - 4], sizeof word);
    if (word != marker_word) break;
  }
  while (end > 0 && units_[end - 1] == marker) --end;
  if (end > 0 && units_[end - 1] == u'\0') {
    touched_ = end;
    return {units_.data(), end - 1};
  }
  // Something wrote past its terminator or left none: fall back to the first NUL.
  touched_ = units_.size();
  auto terminator = std::find(units_.begin(), units_.end(), u'\0');
  return {units_.data(), static_cast<std::size_t>(terminator - units_.begin())};
}

bool OutputBuffer::grow(std::uint32_t limit) {
  std::size_t size = units_.size();
  if (size >= limit) return false;
  std::size_t grown = std::min<std::size_t>(size * 2, limit);
  units_.assign(grown, marker);
  touched_ = 0;
  return true;
}

}  // namespace host
