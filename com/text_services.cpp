#include "com/text_services.hpp"

#include <cstring>

#include "com/ole_text.hpp"

namespace com {

void utf16_to_utf8(const char16_t* source, char* destination, std::size_t size) noexcept {
  if (size == 0) return;
  std::size_t units = 0;
  while (source[units] != u'\0') ++units;
  // Shorten the text until it fits, so a long text is cut rather than lost.
  for (std::size_t take = units; ; --take) {
    int written = WideCharToMultiByte(CP_UTF8, 0, ole(source), static_cast<int>(take),
                                      destination, static_cast<int>(size - 1), nullptr, nullptr);
    if (written > 0 || take == 0) {
      destination[written > 0 ? written : 0] = '\0';
      return;
    }
  }
}

void utf8_to_utf16(const char* source, char16_t* destination, std::size_t size) noexcept {
  if (size == 0) return;
  std::size_t bytes = std::strlen(source);
  for (std::size_t take = bytes; ; --take) {
    int written = MultiByteToWideChar(CP_UTF8, 0, source, static_cast<int>(take),
                                      ole(destination), static_cast<int>(size - 1));
    if (written > 0 || take == 0) {
      destination[written > 0 ? written : 0] = u'\0';
      return;
    }
  }
}

bool system_message(HRESULT hr, char* destination, std::size_t size) noexcept {
  return FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                        static_cast<DWORD>(hr), 0, destination, static_cast<DWORD>(size),
                        nullptr) != 0;
}

}  // namespace com
