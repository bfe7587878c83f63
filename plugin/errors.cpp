#include "plugin/errors.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "io/com_services.hpp"
#include "io/widening.hpp"

namespace {

constexpr std::size_t message_size = 260;

// The text of a com::error: the error information's description, else the system's text for
// the HRESULT, else a generic line with the code.
std::string com_error_message(HRESULT hr, IErrorInfo* info) {
  char text[message_size] = {};
  if (info != nullptr) {
    BSTR description = nullptr;
    if (SUCCEEDED(info->GetDescription(&description)) && description != nullptr) {
      io::utf16_to_utf8(com::utf16(description), text, sizeof text);
      SysFreeString(description);
      return text;
    }
  }
  if (io::system_message(hr, text, sizeof text)) return text;
  std::snprintf(text, sizeof text, "unknown error (0x%08X) occurred", static_cast<unsigned>(hr));
  return text;
}

}  // namespace

namespace io {

overflow::overflow(std::uint32_t n, std::uint32_t a)
    : error("an overflow occured"), needed(n), available(a) {}

underflow::underflow(std::uint32_t n, std::uint32_t a)
    : error("an underflow occured"), needed(n), available(a) {}

}  // namespace io

old_error::old_error(const old_error& other) : std::exception(other) {
  const char* text = other.what();
  std::size_t length = std::strlen(text);
  message_ = new char[length + 1];
  std::memcpy(message_, text, length + 1);
}

old_error::~old_error() { delete[] message_; }

const char* old_error::what() const noexcept {
  if (message_ == nullptr) {
    char* cache = new (std::nothrow) char[message_size];
    if (cache == nullptr) return "bad allocation";
    char16_t text[message_size];
    text[0] = u'\0';
    format_message(text, message_size);
    io::utf16_to_utf8(text, cache, message_size);
    message_ = cache;
  }
  return message_;
}

template <>
std::uint32_t error_impl<io::end_of_file>::format_message(char16_t* destination,
                                                          std::uint32_t size) const noexcept {
  static constexpr char message[] = "The end of file was reached durring an IO operation.";
  if (size < 2) return size;
  std::size_t n = std::min<std::size_t>(size - 1, sizeof message - 1);
  io::widen_ansi(message, n, destination);
  destination[n] = u'\0';
  return 0;
}

template <>
std::uint32_t generic_error_t<char16_t>::format_message(char16_t* destination,
                                                        std::uint32_t size) const noexcept {
  if (size == 0) return 0;
  std::size_t n = 0;
  for (; n + 1 < size && message[n] != u'\0'; ++n) destination[n] = message[n];
  destination[n] = u'\0';
  return 0;
}

namespace com {

error::error(HRESULT hr, IErrorInfo* info)
    : std::runtime_error(com_error_message(hr, info)), hr_(hr), info_(info) {
  if (info_ != nullptr) info_->AddRef();
}

error::error(const error& other) noexcept
    : std::runtime_error(other), hr_(other.hr_), info_(other.info_) {
  if (info_ != nullptr) info_->AddRef();
}

error::~error() {
  if (info_ != nullptr) info_->Release();
}

void error::raise_with_thread_info(HRESULT hr) {
  IErrorInfo* raw = nullptr;
  if (GetErrorInfo(0, &raw) != S_OK) raw = nullptr;
  ComPtr<IErrorInfo> info = ComPtr<IErrorInfo>::adopt(raw);
  throw error(hr, info.get());
}

}  // namespace com
