#include "com/library_path.hpp"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "com/text_services.hpp"

namespace com {
namespace {
// Any object of the library tells the loader which module to name.
constexpr char anchor = 0;
}  // namespace

HRESULT library_path(std::u16string& path) noexcept {
  Dl_info info{};
  if (dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr) return E_FAIL;
  // The loader keeps the name it was given, which may be relative to a directory since left.
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(info.dli_fname, nullptr),
                                                       &std::free);
  const char* utf8 = resolved ? resolved.get() : info.dli_fname;
  try {
    std::size_t length = std::strlen(utf8);
    path.assign(length + 1, u'\0');  // UTF-16 never needs more units than UTF-8 has bytes
    com::utf8_to_utf16(utf8, path.data(), path.size());
    path.resize(std::char_traits<char16_t>::length(path.c_str()));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace com
