// Writes JSON objects field by field into a byte buffer the caller reuses. Strings from the plug-in
// are UTF-16 and may hold NUL units or unpaired surrogates: they are written losslessly, the
// former as \u0000 and the latter as \uXXXX escapes of the lone unit.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "byte_buffer.hpp"

namespace host {

// The most bytes that the string literal of a text of `units` code units can take: every unit
// escaped as \uXXXX, and the quotes.
constexpr std::size_t json_string_bound(std::size_t units) noexcept { return 6 * units + 2; }

// Write value as a string literal, quotes included, at out, which has room for
// json_string_bound(value.size()) bytes, and return its end. UTF-8 text keeps its bytes above 0x7F.
char* write_json_string(char* out, std::string_view value) noexcept;
char* write_json_string(char* out, std::u16string_view value) noexcept;

class JsonObjectWriter {
 public:
  // Opens an object at the end of out.
  explicit JsonObjectWriter(ByteBuffer& out) : out_(out) { out_.append("{"); }

  // Keys are plain ASCII names, which need no escape. The fields are written inline, where the
  // keys' lengths are known.
  JsonObjectWriter& number(std::string_view name, std::int64_t value) {
    constexpr std::size_t digits = 20;  // and the sign
    char* at = key(name, digits);
    out_.commit(std::to_chars(at, at + digits, value).ptr);
    return *this;
  }
  // ASCII or UTF-8 text.
  JsonObjectWriter& text(std::string_view name, std::string_view value) {
    out_.commit(write_json_string(key(name, json_string_bound(value.size())), value));
    return *this;
  }
  JsonObjectWriter& text(std::string_view name, std::u16string_view value) {
    out_.commit(write_json_string(key(name, json_string_bound(value.size())), value));
    return *this;
  }
  JsonObjectWriter& null(std::string_view name) {
    char* at = key(name, 4);
    std::memcpy(at, "null", 4);
    out_.commit(at + 4);
    return *this;
  }

  // The fields of an object that another writer wrote, braces included.
  JsonObjectWriter& fields(std::string_view object) {
    const std::string_view inner = object.substr(1, object.size() - 2);
    char* at = out_.reserve(inner.size() + 1);
    if (!first_) *at++ = ',';
    first_ = false;
    std::memcpy(at, inner.data(), inner.size());
    out_.commit(at + inner.size());
    return *this;
  }

  template <class T>
  JsonObjectWriter& text_or_null(std::string_view key, const std::optional<T>& value) {
    return value ? text(key, *value) : null(key);
  }

  // Closes the object.
  void close() { out_.append("}"); }

 private:
  // Reserves room for the key and a value of at most value_bound bytes, writes the key and
  // returns where the value goes.
  char* key(std::string_view name, std::size_t value_bound) {
    char* at = out_.reserve(name.size() + 4 + value_bound);
    if (!first_) *at++ = ',';
    first_ = false;
    *at++ = '"';
    std::memcpy(at, name.data(), name.size());
    at += name.size();
    *at++ = '"';
    *at++ = ':';
    return at;
  }

  ByteBuffer& out_;
  bool first_ = true;
};

}  // namespace host
