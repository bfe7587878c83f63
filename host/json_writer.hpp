// Writes JSON objects field by field into a byte buffer the caller reuses. Strings from the plug-in
// are UTF-16 and may hold NUL units or unpaired surrogates: they are written losslessly, the
// former as \u0000 and the latter as \uXXXX escapes of the lone unit.
#pragma once

#include <cstddef>
#include <cstdint>
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

  // Keys are plain ASCII names, which need no escape.
  JsonObjectWriter& number(std::string_view key, std::int64_t value);
  // ASCII or UTF-8 text.
  JsonObjectWriter& text(std::string_view key, std::string_view value);
  JsonObjectWriter& text(std::string_view key, std::u16string_view value);
  JsonObjectWriter& null(std::string_view key);

  template <class T>
  JsonObjectWriter& text_or_null(std::string_view key, const std::optional<T>& value) {
    return value ? text(key, *value) : null(key);
  }

  // Closes the object.
  void close() { out_.append("}"); }

 private:
  // Reserves room for the key and a value of at most value_bound bytes, writes the key and
  // returns where the value goes.
  char* key(std::string_view name, std::size_t value_bound);

  ByteBuffer& out_;
  bool first_ = true;
};

}  // namespace host
