// Builds little-endian event payloads field by field, in the encodings the plug-in reads.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

class PayloadWriter {
 public:
  PayloadWriter& u8(std::uint8_t v) { return little_endian(v, 1); }
  PayloadWriter& u16(std::uint16_t v) { return little_endian(v, 2); }
  PayloadWriter& i16(std::int16_t v) { return little_endian(static_cast<std::uint16_t>(v), 2); }
  PayloadWriter& u32(std::uint32_t v) { return little_endian(v, 4); }
  PayloadWriter& i32(std::int32_t v) { return little_endian(static_cast<std::uint32_t>(v), 4); }
  PayloadWriter& u64(std::uint64_t v) { return little_endian(v, 8); }
  PayloadWriter& i64(std::int64_t v) { return little_endian(static_cast<std::uint64_t>(v), 8); }
  PayloadWriter& zeros(std::size_t n) {
    bytes_.insert(bytes_.end(), n, 0);
    return *this;
  }
  PayloadWriter& raw(std::initializer_list<std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes);
    return *this;
  }
  // Narrow text: 16-bit byte count, then the bytes.
  PayloadWriter& string(std::string_view text) {
    u16(static_cast<std::uint16_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  // Wide text (also a moniker's display name): 16-bit unit count, then the units.
  PayloadWriter& wstring(std::u16string_view text) {
    u16(static_cast<std::uint16_t>(text.size()));
    return units(text);
  }
  // A signed 16-bit count as given, which may disagree with the text, then the units.
  PayloadWriter& counted_wstring(std::int16_t count, std::u16string_view text) {
    i16(count);
    return units(text);
  }
  PayloadWriter& units(std::u16string_view text) {
    for (char16_t unit : text) u16(static_cast<std::uint16_t>(unit));
    return *this;
  }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  operator const std::vector<std::uint8_t>&() const { return bytes_; }  // NOLINT: reads as a payload
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  PayloadWriter& little_endian(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
  }

  std::vector<std::uint8_t> bytes_;
};

}  // namespace host
