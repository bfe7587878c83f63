// BSTRs carry their byte length in the four bytes before the text, as on Windows.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "accounting.hpp"

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  std::size_t units = 0;
  while (text[units] != u'\0') ++units;
  auto* block = static_cast<std::uint32_t*>(std::malloc(sizeof(std::uint32_t) + 2 * (units + 1)));
  if (block == nullptr) return nullptr;
  *block = static_cast<std::uint32_t>(2 * units);
  auto* result = reinterpret_cast<BSTR>(block + 1);
  std::memcpy(result, text, 2 * (units + 1));
  ++platform::live().bstrs;
  return result;
}

void SysFreeString(BSTR text) {
  if (text == nullptr) return;
  --platform::live().bstrs;
  std::free(reinterpret_cast<std::uint32_t*>(text) - 1);
}

UINT SysStringLen(BSTR text) {
  return text == nullptr ? 0 : reinterpret_cast<const std::uint32_t*>(text)[-1] / 2;
}
