// Where a payload comes from: hexadecimal text, a file of raw bytes, or standard input.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// Two hexadecimal digits per byte, either letter case; blanks may stand between bytes.
// InputError names the first offending character.
std::vector<std::uint8_t> parse_hex(std::string_view text);
// The same into bytes, whose capacity is kept from one call to the next.
void parse_hex(std::string_view text, std::vector<std::uint8_t>& bytes);

// Upper-case digits, two per byte, nothing between them: the form parse_hex reads back.
std::string format_hex(std::span<const std::uint8_t> bytes);

// The raw bytes of a file, or of standard input when path is "-". InputError when unreadable.
std::vector<std::uint8_t> read_payload_file(const std::string& path);

// Whether raw bytes are hexadecimal digits and blanks only, at least one digit: text that was
// probably meant to be read as hexadecimal.
bool looks_like_hex(std::span<const std::uint8_t> bytes) noexcept;

}  // namespace host
