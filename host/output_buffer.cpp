#include "output_buffer.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace host {

namespace {

// A noncharacter: no renderer writes it, though a payload could carry it. That would only matter
// after the terminator, where nothing is written.
constexpr char16_t marker = u'\xFFFF';
// All its bytes are ones: memset writes it, and a run of it ANDed together stays all ones.
constexpr int marker_byte = 0xFF;

// How many units from the start of [units, units + size) remain once the run of markers at its end
// is passed over. That run is usually most of the buffer, so it goes 32 units at a time.
std::size_t without_marker_run(const char16_t* units, std::size_t size) noexcept {
#if defined(__SSE2__)
  const __m128i ones = _mm_set1_epi8(-1);
  for (; size >= 32; size -= 32) {
    const auto* block = reinterpret_cast<const __m128i*>(units + size - 32);
    __m128i all = _mm_and_si128(_mm_and_si128(_mm_loadu_si128(block), _mm_loadu_si128(block + 1)),
                                _mm_and_si128(_mm_loadu_si128(block + 2), _mm_loadu_si128(block + 3)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(all, ones)) != 0xFFFF) break;
  }
#else
  for (std::uint64_t words[4]; size >= 16; size -= 16) {
    std::memcpy(words, units + size - 16, sizeof words);
    if ((words[0] & words[1] & words[2] & words[3]) != ~std::uint64_t{0}) break;
  }
#endif
  while (size > 0 && units[size - 1] == marker) --size;
  return size;
}

}  // namespace

OutputBuffer::OutputBuffer(std::uint32_t units) : units_(units, marker) {}

void OutputBuffer::prepare() {
  std::memset(units_.data(), marker_byte, touched_ * sizeof(char16_t));
  // Until written() measures the next call, all of it counts as touched.
  touched_ = units_.size();
}

std::u16string_view OutputBuffer::written() {
  // One past the last unit written.
  const std::size_t end = without_marker_run(units_.data(), units_.size());
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
