#include "json_writer.hpp"

#include <array>
#include <charconv>
#include <cstdio>

#include "utf16_text.hpp"

namespace host {

namespace {

void append_unit_escape(std::string& out, char32_t unit) {
  std::array<char, 7> escape{};
  std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(unit));
  out.append(escape.data(), 6);
}

// Escapes what JSON requires; every other code point is written as UTF-8.
void append_escaped(std::string& out, char32_t value) {
  switch (value) {
    case U'"': out += "\\\""; return;
    case U'\\': out += "\\\\"; return;
    case U'\n': out += "\\n"; return;
    case U'\r': out += "\\r"; return;
    case U'\t': out += "\\t"; return;
    case U'\b': out += "\\b"; return;
    case U'\f': out += "\\f"; return;
    default: break;
  }
  if (value < 0x20) {
    append_unit_escape(out, value);
  } else {
    append_utf8(out, value);
  }
}

// Most text needs no escape: runs of it are copied in one piece.
template <class Unit>
bool needs_no_escape(Unit unit) noexcept {
  return unit >= 0x20 && unit != '"' && unit != '\\';
}

}  // namespace

void append_json_string(std::string& out, std::string_view value) {
  out += '"';
  for (std::size_t at = 0; at < value.size();) {
    std::size_t run = at;
    while (run < value.size() && needs_no_escape(static_cast<unsigned char>(value[run]))) ++run;
    out.append(value.data() + at, run - at);  // bytes above 0x7F are UTF-8 already
    if (run < value.size()) append_escaped(out, static_cast<unsigned char>(value[run++]));
    at = run;
  }
  out += '"';
}

void append_json_string(std::string& out, std::u16string_view value) {
  out += '"';
  for (std::size_t at = 0; at < value.size();) {
    std::size_t run = at;
    while (run < value.size() && value[run] < 0x80 && needs_no_escape(value[run])) ++run;
    if (run > at) {
      std::size_t start = out.size();
      out.resize(start + (run - at));
      for (std::size_t i = at; i < run; ++i) out[start + (i - at)] = static_cast<char>(value[i]);
      at = run;
      continue;
    }
    CodePoint point = next_code_point(value, at);
    if (point.unpaired_surrogate) {
      append_unit_escape(out, point.value);
    } else {
      append_escaped(out, point.value);
    }
  }
  out += '"';
}

JsonObjectWriter::JsonObjectWriter(std::string& out) : out_(out) { out_ += '{'; }

void JsonObjectWriter::key(std::string_view name) {
  if (!first_) out_ += ',';
  first_ = false;
  append_json_string(out_, name);
  out_ += ':';
}

JsonObjectWriter& JsonObjectWriter::number(std::string_view name, std::int64_t value) {
  key(name);
  std::array<char, 24> digits{};
  out_.append(digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr);
  return *this;
}

JsonObjectWriter& JsonObjectWriter::text(std::string_view name, std::string_view value) {
  key(name);
  append_json_string(out_, value);
  return *this;
}

JsonObjectWriter& JsonObjectWriter::text(std::string_view name, std::u16string_view value) {
  key(name);
  append_json_string(out_, value);
  return *this;
}

JsonObjectWriter& JsonObjectWriter::null(std::string_view name) {
  key(name);
  out_ += "null";
  return *this;
}

void JsonObjectWriter::close() { out_ += '}'; }

}  // namespace host
