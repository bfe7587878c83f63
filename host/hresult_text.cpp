#include "hresult_text.hpp"

#include <array>
#include <cstdint>

namespace host {

namespace {

struct NamedResult {
  std::uint32_t value;
  std::string_view name;
};

// The results that the plug-in, its runtime stand-in and the entries' guards can return.
constexpr NamedResult named_results[] = {
    {0x00000000, "S_OK"},
    {0x00000001, "S_FALSE"},
    {0x80004001, "E_NOTIMPL"},
    {0x80004002, "E_NOINTERFACE"},
    {0x80004003, "E_POINTER"},
    {0x80004004, "E_ABORT"},
    {0x80004005, "E_FAIL"},
    {0x80004021, "CO_E_NOT_SUPPORTED"},
    {0x8000FFFF, "E_UNEXPECTED"},
    {0x80020009, "DISP_E_EXCEPTION"},
    {0x80040110, "CLASS_E_NOAGGREGATION"},
    {0x80040111, "CLASS_E_CLASSNOTAVAILABLE"},
    {0x80040154, "REGDB_E_CLASSNOTREG"},
    {0x800401E4, "MK_E_SYNTAX"},
    {0x80070005, "E_ACCESSDENIED"},
    {0x80070006, "E_HANDLE"},
    {0x8007000E, "E_OUTOFMEMORY"},
    {0x80070057, "E_INVALIDARG"},
};

}  // namespace

std::array<char, 10> hresult_hex(HRESULT hr) noexcept {
  constexpr char digits[] = "0123456789ABCDEF";
  const auto value = static_cast<std::uint32_t>(hr);
  return {'0', 'x', digits[value >> 28], digits[value >> 24 & 0xF], digits[value >> 20 & 0xF], digits[value >> 16 & 0xF],
          digits[value >> 12 & 0xF], digits[value >> 8 & 0xF], digits[value >> 4 & 0xF], digits[value & 0xF]};
}

std::string_view hresult_name(HRESULT hr) noexcept {
  for (const NamedResult& named : named_results)
    if (named.value == static_cast<std::uint32_t>(hr)) return named.name;
  return {};
}

std::string describe_hresult(HRESULT hr) {
  const std::array<char, 10> digits = hresult_hex(hr);
  std::string text(digits.data(), digits.size());
  if (std::string_view name = hresult_name(hr); !name.empty()) {
    text += ' ';
    text += name;
  }
  return text;
}

}  // namespace host
