#include "support/render_harness.hpp"

#include <sstream>

#include "platform/utf8.hpp"

namespace test {

std::string to_utf8(const std::u16string& s) { return platform::to_utf8(s); }

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

void set_error_description(const char16_t* description) {
  ICreateErrorInfo* creator = nullptr;
  ASSERT_EQ(CreateErrorInfo(&creator), S_OK);
  creator->SetDescription(const_cast<LPOLESTR>(description));
  void* info = nullptr;
  if (creator->QueryInterface(IID_IErrorInfo, &info) == S_OK) {
    SetErrorInfo(0, static_cast<IErrorInfo*>(info));
    static_cast<IErrorInfo*>(info)->Release();
  }
  creator->Release();
}

namespace {

Rendered finish(HRESULT hr, const std::vector<char16_t>& buffer) {
  Rendered r;
  r.hr = hr;
  r.text = to_utf8(buffer.data());
  take_error_description(r.description);
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
