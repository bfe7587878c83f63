#include "payload_input.hpp"

#include <algorithm>
#include <iostream>

#include "exit_status.hpp"
#include "hex_digit.hpp"
#include "input_file.hpp"

namespace host {

namespace {

bool is_blank(char c) noexcept { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

[[noreturn]] void reject(std::string_view text, std::size_t at, const char* what) {
  std::string message = "bad hexadecimal payload at character " + std::to_string(at + 1) + ": " + what;
  if (at < text.size()) message += std::string(" '") + text[at] + "'";
  throw InputError(message);
}

}  // namespace

void parse_hex(std::string_view text, std::vector<std::uint8_t>& bytes) {
  bytes.resize(text.size() / 2);  // the most it can take
  std::uint8_t* out = bytes.data();
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size;) {
    if (size - i >= 16 && decode_hex_block(text.data() + i, out)) {
      out += 8;
      i += 16;
      continue;
    }
    const int high = hex_digit_value(text[i]);
    const int low = i + 1 < size ? hex_digit_value(text[i + 1]) : -1;
    if (high >= 0 && low >= 0) {
      *out++ = static_cast<std::uint8_t>(high << 4 | low);
      i += 2;
      continue;
    }
    if (is_blank(text[i])) {
      ++i;
      continue;
    }
    if (high < 0) reject(text, i, "not a hexadecimal digit");
    if (i + 1 >= size || is_blank(text[i + 1])) reject(text, i, "a byte needs two digits");
    reject(text, i + 1, "not a hexadecimal digit");
  }
  bytes.resize(static_cast<std::size_t>(out - bytes.data()));
}

std::vector<std::uint8_t> parse_hex(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  parse_hex(text, bytes);
  return bytes;
}

std::string format_hex(std::span<const std::uint8_t> bytes) {
  constexpr char digits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (std::uint8_t byte : bytes) {
    text += digits[byte >> 4];
    text += digits[byte & 0xF];
  }
  return text;
}

std::vector<std::uint8_t> read_payload_file(const std::string& path) {
  std::ifstream file;
  if (path != "-") file = open_input_file(path);
  std::istream& input = path == "-" ? std::cin : file;
  std::vector<std::uint8_t> bytes;
  char chunk[65536];
  while (input.read(chunk, sizeof chunk) || input.gcount() > 0) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(chunk);
    bytes.insert(bytes.end(), first, first + input.gcount());
  }
  if (input.bad()) throw InputError(read_error_message(path == "-" ? "standard input" : path));
  return bytes;
}

bool looks_like_hex(std::span<const std::uint8_t> bytes) noexcept {
  auto is_text = [](std::uint8_t byte) {
    char c = static_cast<char>(byte);
    return hex_digit_value(c) >= 0 || is_blank(c);
  };
  return std::all_of(bytes.begin(), bytes.end(), is_text) &&
         std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return hex_digit_value(static_cast<char>(byte)) >= 0; });
}

}  // namespace host
