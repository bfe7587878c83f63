#include "plain_formatting.hpp"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace bench::plain {
namespace {

struct Unit {
  const char* name;
  std::int64_t size;
};

const Unit frequency_units[] = {
    {"Hz", 1},           {"KHz", 1000},          {"MHz", 1000000},
    {"GHz", 1000000000}, {"THz", 1000000000000}, {"PHz", 1000000000000000}};
const Unit bit_rate_units[] = {
    {"bps", 1}, {"Kbps", 1000}, {"Mbps", 1000000}, {"Gbps", 1000000000}, {"Tbps", 1000000000000}};

// Whole units, then the remainder as a fraction without trailing zeros.
template <std::size_t N>
std::string with_unit(std::int64_t value, const Unit (&units)[N]) {
  const std::int64_t magnitude = std::llabs(value);
  const Unit* unit = &units[0];
  for (const Unit& candidate : units)
    if (candidate.size <= magnitude) unit = &candidate;
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(magnitude / unit->size);
  if (const std::int64_t rest = magnitude % unit->size; rest != 0) {
    std::string fraction = std::to_string(rest);
    const std::size_t digits = std::to_string(unit->size).size() - 1;
    fraction.insert(0, digits - fraction.size(), '0');
    fraction.erase(fraction.find_last_not_of('0') + 1);
    text += "." + fraction;
  }
  return text + unit->name;
}

const char* const inband_enable_names[] = {"Disable", "Enable", "Inherit"};
const char* const entry_rate_option_names[] = {
    "Disable",           "Manual Entry",        "Inherit",
    "Reservation Ideal", "Reservation Minimum", "Channel Minimum"};

template <std::size_t N>
std::string enum_text(std::uint32_t value, const char* const (&names)[N]) {
  return value < N ? names[value] : "(invalid)";
}

// UTF-16 units from the payload, up to the first NUL, as UTF-8.
std::optional<std::string> label_text(ByteCursor& in) {
  const std::int16_t count = in.read_i16();
  if (count <= 0) return std::nullopt;
  std::u16string units;
  for (std::int16_t i = 0; i < count; ++i) units += static_cast<char16_t>(in.read_u16());
  units.erase(std::min(units.find(u'\0'), units.size()));
  std::string text;
  for (std::size_t i = 0; i < units.size(); ++i) {
    std::uint32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size())
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00u);
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else if (c < 0x800) {
      text += static_cast<char>(0xC0 | c >> 6);
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      text += static_cast<char>(0xE0 | c >> 12);
      text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | c >> 18);
      text += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

}  // namespace

std::string frequency_text(std::int64_t hertz) { return with_unit(hertz, frequency_units); }

std::string bit_rate_text(std::int32_t bits_per_second) {
  return with_unit(bits_per_second, bit_rate_units);
}

std::string ipv4_text(std::uint32_t address) {
  return std::to_string(address >> 24) + "." + std::to_string(address >> 16 & 0xFF) + "." +
         std::to_string(address >> 8 & 0xFF) + "." + std::to_string(address & 0xFF);
}

std::optional<std::string> value_text(ByteCursor& in, data::ValueKind kind) {
  using data::ValueKind;
  switch (kind) {
    case ValueKind::signed_integer:
      return std::to_string(in.read_i32());
    case ValueKind::unsigned_integer:
      return std::to_string(in.read_u32());
    case ValueKind::boolean:
      return in.read_u32() != 0 ? "true" : "false";
    case ValueKind::data_rate:
      return bit_rate_text(in.read_i32());
    case ValueKind::bandwidth:
      return frequency_text(in.read_i32());
    case ValueKind::frequency:
      return frequency_text(in.read_i64());
    case ValueKind::ipv4_address:
      return ipv4_text(in.read_u32());
    case ValueKind::label:
      return label_text(in);
    case ValueKind::inband_enable:
      return enum_text(in.read_u32(), inband_enable_names);
    case ValueKind::entry_rate_option:
      return enum_text(in.read_u32(), entry_rate_option_names);
    case ValueKind::power:
    case ValueKind::device_reference:
      break;
  }
  throw std::invalid_argument("value kind outside the compared renderers");
}

}  // namespace bench::plain
