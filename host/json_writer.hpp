// Writes JSON objects field by field into a string the caller reuses. Strings from the plug-in
// are UTF-16 and may hold NUL units or unpaired surrogates: they are written losslessly, the
// former as \u0000 and the latter as \uXXXX escapes of the lone unit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace host {

class JsonObjectWriter {
 public:
  // Opens an object at the end of out.
  explicit JsonObjectWriter(std::string& out);

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
  void close();

 private:
  void key(std::string_view name);

  std::string& out_;
  bool first_ = true;
};

// Appends value as a JSON string literal, quotes included.
void append_json_string(std::string& out, std::string_view value);
void append_json_string(std::string& out, std::u16string_view value);

}  // namespace host
