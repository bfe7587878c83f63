#include "batch_input_line.hpp"

#include "com/guid_text.hpp"
#include "payload_input.hpp"

namespace host {

std::string batch_input_line(const GUID& type, std::size_t row, std::span<const std::uint8_t> payload) {
  return "{\"type\": \"" + std::string(com::guid_text<char>(type).braced()) +
         "\", \"payload\": \"" + format_hex(payload) + "\", \"row\": " + std::to_string(row) +
         "}\n";
}

}  // namespace host
