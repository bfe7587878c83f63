// The system's message texts for the HRESULTs the plug-in and its hosts can meet, as Windows
// words them (trailing CR LF included).
#include <cstring>

#include "platform/com.h"

namespace {

struct Message {
  HRESULT hr;
  const char* text;
};

constexpr Message messages[] = {
    {S_OK, "The operation completed successfully.\r\n"},
    {E_NOTIMPL, "Not implemented\r\n"},
    {E_NOINTERFACE, "No such interface supported\r\n"},
    {E_POINTER, "Invalid pointer\r\n"},
    {E_FAIL, "Unspecified error\r\n"},
    {CO_E_NOT_SUPPORTED, "This operation is not supported.\r\n"},
    {E_UNEXPECTED, "Catastrophic failure\r\n"},
    {DISP_E_EXCEPTION, "Exception occurred.\r\n"},
    {CLASS_E_CLASSNOTAVAILABLE, "ClassFactory cannot supply requested class\r\n"},
    {MK_E_SYNTAX, "Invalid syntax\r\n"},
    {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation.\r\n"},
    {E_INVALIDARG, "The parameter is incorrect.\r\n"},
};

}  // namespace

DWORD FormatMessageA(DWORD flags, const void*, DWORD message_id, DWORD, char* buffer, DWORD size,
                     void*) {
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || buffer == nullptr || size == 0) return 0;
  for (const Message& m : messages) {
    if (static_cast<DWORD>(m.hr) != message_id) continue;
    std::size_t length = std::strlen(m.text);
    if (length + 1 > size) return 0;
    std::memcpy(buffer, m.text, length + 1);
    return static_cast<DWORD>(length);
  }
  return 0;
}
