// The registry functions of the registrar over the system registry. Paths name their root key in
// full ("HKEY_CLASSES_ROOT\Interface\{...}"), as the registrar writes them.
#include "platform/registry.h"

#include <string>
#include <string_view>

namespace {

const wchar_t* wide(const char16_t* text) noexcept {
  return reinterpret_cast<const wchar_t*>(text);
}

struct Root {
  std::u16string_view name;
  HKEY key;
};

// A path split into its root key and the path below it; `root` is null for an unknown root.
struct KeyPath {
  HKEY root = nullptr;
  std::wstring below;

  explicit KeyPath(const char16_t* path) {
    if (path == nullptr) return;
    const Root roots[] = {
        {u"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},   {u"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {u"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {u"HKEY_USERS", HKEY_USERS},
        {u"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    std::u16string_view full(path);
    std::u16string_view root_name = full.substr(0, full.find(u'\\'));
    for (const Root& candidate : roots)
      if (CompareStringOrdinal(wide(root_name.data()), static_cast<int>(root_name.size()),
                               wide(candidate.name.data()),
                               static_cast<int>(candidate.name.size()), TRUE) == CSTR_EQUAL)
        root = candidate.key;
    if (root_name.size() < full.size()) {
      std::u16string_view rest = full.substr(root_name.size() + 1);
      below.assign(rest.begin(), rest.end());
    }
  }
};

// Owns an open key.
class OpenKey {
 public:
  OpenKey() noexcept = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY* put() noexcept { return &key_; }
  HKEY get() const noexcept { return key_; }

 private:
  HKEY key_ = nullptr;
};

LSTATUS create(const KeyPath& path, OpenKey& key) {
  if (path.root == nullptr || path.below.empty()) return ERROR_INVALID_PARAMETER;
  return RegCreateKeyExW(path.root, path.below.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_SET_VALUE, nullptr, key.put(), nullptr);
}

bool holds_nothing(HKEY root, const std::wstring& below) {
  OpenKey key;
  if (RegOpenKeyExW(root, below.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
    return false;
  DWORD keys = 0;
  DWORD values = 0;
  return RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values,
                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         keys == 0 && values == 0;
}

template <class Operation>
LSTATUS guarded(Operation operation) noexcept {
  try {
    return operation();
  } catch (...) {
    return ERROR_OUTOFMEMORY;
  }
}

}  // namespace

LSTATUS VedRegistryCreateKey(const char16_t* path) {
  return guarded([&] {
    OpenKey key;
    return create(KeyPath(path), key);
  });
}

LSTATUS VedRegistrySetValue(const char16_t* path, const char16_t* name, const char16_t* data) {
  return guarded([&]() -> LSTATUS {
    if (data == nullptr) return ERROR_INVALID_PARAMETER;
    OpenKey key;
    if (LSTATUS status = create(KeyPath(path), key); status != ERROR_SUCCESS) return status;
    std::u16string_view text(data);
    return RegSetValueExW(key.get(), name != nullptr ? wide(name) : nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data),
                          static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
  });
}

LSTATUS VedRegistryDeleteTree(const char16_t* path) {
  return guarded([&]() -> LSTATUS {
    KeyPath key(path);
    if (key.root == nullptr || key.below.empty()) return ERROR_INVALID_PARAMETER;
    return RegDeleteTreeW(key.root, key.below.c_str());
  });
}

LSTATUS VedRegistryRemoveValue(const char16_t* path, const char16_t* name) {
  return guarded([&]() -> LSTATUS {
    KeyPath key(path);
    if (key.root == nullptr || key.below.empty()) return ERROR_INVALID_PARAMETER;
    {
      OpenKey open;
      LSTATUS status = RegOpenKeyExW(key.root, key.below.c_str(), 0, KEY_SET_VALUE, open.put());
      if (status == ERROR_SUCCESS)
        status = RegDeleteValueW(open.get(), name != nullptr ? wide(name) : nullptr);
      if (status != ERROR_SUCCESS) return status;
    }
    // The keys that only held this value go with it.
    for (std::wstring below = key.below; !below.empty() && holds_nothing(key.root, below);) {
      if (LSTATUS status = RegDeleteKeyW(key.root, below.c_str()); status != ERROR_SUCCESS)
        return status;
      std::size_t parent = below.rfind(L'\\');
      below.resize(parent == std::wstring::npos ? 0 : parent);
    }
    return ERROR_SUCCESS;
  });
}
