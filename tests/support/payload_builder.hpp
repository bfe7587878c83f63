// Builds little-endian event payloads field by field for table-driven tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace test {

class PayloadBuilder {
 public:
  PayloadBuilder& u8(std::uint8_t v) { return raw({v}); }
  PayloadBuilder& u16(std::uint16_t v) { return le(v, 2); }
  PayloadBuilder& i16(std::int16_t v) { return le(static_cast<std::uint16_t>(v), 2); }
  PayloadBuilder& u32(std::uint32_t v) { return le(v, 4); }
  PayloadBuilder& i32(std::int32_t v) { return le(static_cast<std::uint32_t>(v), 4); }
  PayloadBuilder& u64(std::uint64_t v) { return le(v, 8); }
  PayloadBuilder& i64(std::int64_t v) { return le(static_cast<std::uint64_t>(v), 8); }
  PayloadBuilder& zeros(std::size_t n) {
    bytes_.insert(bytes_.end(), n, 0);
    return *this;
  }
  PayloadBuilder& raw(std::initializer_list<std::uint8_t> b) {
    bytes_.insert(bytes_.end(), b);
    return *this;
  }
  // 16-bit byte count, then the bytes.
  PayloadBuilder& string(std::string_view s) {
    u16(static_cast<std::uint16_t>(s.size()));
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  // 16-bit unit count, then the UTF-16 units.
  PayloadBuilder& wstring(std::u16string_view s) {
    u16(static_cast<std::uint16_t>(s.size()));
    return units(s);
  }
  // Signed 16-bit count as given (may disagree with the text), then the units.
  PayloadBuilder& counted_wstring(std::int16_t count, std::u16string_view s) {
    i16(count);
    return units(s);
  }
  PayloadBuilder& units(std::u16string_view s) {
    for (char16_t c : s) u16(static_cast<std::uint16_t>(c));
    return *this;
  }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  operator const std::vector<std::uint8_t>&() const { return bytes_; }  // NOLINT

 private:
  PayloadBuilder& le(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
  }
  std::vector<std::uint8_t> bytes_;
};

}  // namespace test
