#include "support/render_harness.hpp"

#include <sstream>

namespace test {

std::string to_utf8(const std::u16string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    std::uint32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string to_utf8(const char16_t* s) { return to_utf8(std::u16string(s)); }

bool take_error_description(std::string& description) {
  description.clear();
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return false;
  BSTR text = nullptr;
  if (SUCCEEDED(info->GetDescription(&text)) && text != nullptr) description = to_utf8(text);
  SysFreeString(text);
  info->Release();
  return true;
}

namespace {

Rendered finish(HRESULT hr, const std::vector<char16_t>& buffer) {
  Rendered r;
  r.hr = hr;
  r.text = to_utf8(buffer.data());
  r.has_error_info = take_error_description(r.description);
  return r;
}

}  // namespace

Rendered render_xml(int row, const std::vector<std::uint8_t>& payload, std::uint32_t buffer) {
  std::vector<char16_t> out(buffer, u'#');
  SetErrorInfo(0, nullptr);
  HRESULT hr = ui::event::EventCatalogue[row].pfnXml(
      0, static_cast<std::uint32_t>(payload.size()), payload.data(), out.data(), buffer);
  return finish(hr, out);
}

Rendered render_text(int row, const std::vector<std::uint8_t>& payload, std::uint32_t buffer) {
  std::vector<char16_t> out(buffer, u'#');
  std::uint32_t colour = colour_not_stored;
  SetErrorInfo(0, nullptr);
  HRESULT hr = ui::event::EventCatalogue[row].pfnText(
      0, static_cast<std::uint32_t>(payload.size()), payload.data(), out.data(), buffer, &colour);
  Rendered r = finish(hr, out);
  r.colour = colour;
  return r;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

}  // namespace test
