#include "support/render_harness.hpp"

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

Observed observe(std::size_t row, Form form, const std::vector<std::uint8_t>& payload,
                 std::size_t length, std::uint32_t capacity, const char16_t* description_before) {
  constexpr char16_t guard = 0xFEFE;
  const ui::event::EventCatalogueEntry& entry = ui::event::EventCatalogue[row];
  // The payload is copied to exactly its length, so a read past it is a heap overflow that the
  // sanitizers report.
  std::vector<std::uint8_t> bytes(payload.begin(),
                                  payload.begin() + static_cast<std::ptrdiff_t>(length));
  std::vector<char16_t> buffer(capacity + 4, guard);
  const auto size = static_cast<std::uint32_t>(length);
  Observed o;
  if (description_before != nullptr) {
    set_error_description(description_before);
  } else {
    SetErrorInfo(0, nullptr);
  }
  o.hr = form == Form::xml
             ? entry.pfnXml(0, size, bytes.data(), buffer.data(), capacity)
             : entry.pfnText(0, size, bytes.data(), buffer.data(), capacity, &o.colour);
  for (std::size_t i = capacity; i < buffer.size(); ++i) o.guards_intact &= buffer[i] == guard;
  std::size_t n = 0;
  while (n < capacity && buffer[n] != u'\0') ++n;
  o.terminated = n < capacity;
  o.text.assign(buffer.data(), n);
  o.has_description = take_error_description(o.description);
  return o;
}

namespace {

Rendered render(int row, Form form, const std::vector<std::uint8_t>& payload,
                std::uint32_t buffer) {
  const Observed o = observe(static_cast<std::size_t>(row), form, payload, payload.size(), buffer);
  return {o.hr, to_utf8(o.text), o.colour, o.description};
}

}  // namespace

Rendered render_xml(int row, const std::vector<std::uint8_t>& payload, std::uint32_t buffer) {
  return render(row, Form::xml, payload, buffer);
}

Rendered render_text(int row, const std::vector<std::uint8_t>& payload, std::uint32_t buffer) {
  return render(row, Form::text, payload, buffer);
}

}  // namespace test
