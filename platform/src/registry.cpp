// The registry: a sorted map from full key paths to their values, under one lock. Paths sort
// with the backslash below every other character, so a key's subtree follows it directly.
#include "platform/registry.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <string_view>

namespace {

constexpr char16_t fold(char16_t c) noexcept {
  if (c == u'\\') return u'\0';
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - (u'a' - u'A'));
  return c;
}

struct FoldedLess {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const noexcept {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return fold(x) < fold(y); });
  }
};

bool same_name(std::u16string_view a, std::u16string_view b) noexcept {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

bool is_below(std::u16string_view path, std::u16string_view ancestor) noexcept {
  return path.size() > ancestor.size() && path[ancestor.size()] == u'\\' &&
         same_name(path.substr(0, ancestor.size()), ancestor);
}

using Values = std::map<std::u16string, std::u16string, FoldedLess>;
using Keys = std::map<std::u16string, Values, FoldedLess>;

struct Registry {
  std::mutex mutex;
  Keys keys;
};

Registry& registry() noexcept {
  static Registry instance;
  return instance;
}

constexpr std::u16string_view root_names[] = {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",
                                              u"HKEY_LOCAL_MACHINE", u"HKEY_USERS",
                                              u"HKEY_CURRENT_CONFIG"};

// A path split at its root; `valid` is false for a null path, an unknown root or an empty name.
struct KeyPath {
  std::u16string_view full;
  std::size_t root_length = 0;
  bool valid = false;

  explicit KeyPath(LPCOLESTR path) noexcept {
    if (path == nullptr) return;
    full = path;
    if (full.empty() || full.front() == u'\\' || full.back() == u'\\' ||
        full.find(u"\\\\") != std::u16string_view::npos)
      return;
    root_length = std::min(full.find(u'\\'), full.size());
    valid = std::any_of(std::begin(root_names), std::end(root_names),
                        [&](std::u16string_view root) { return same_name(root, root_name()); });
  }
  std::u16string_view root_name() const noexcept { return full.substr(0, root_length); }
  // A key below a root: roots hold nothing themselves.
  bool names_key() const noexcept { return valid && full.size() > root_length; }
};

std::u16string_view value_name(LPCOLESTR name) noexcept {
  return name != nullptr ? std::u16string_view(name) : std::u16string_view();
}

Keys::iterator create_key(Keys& keys, const KeyPath& path) {
  Keys::iterator key = keys.end();
  for (std::size_t end = path.root_length; end < path.full.size();) {
    end = std::min(path.full.find(u'\\', end + 1), path.full.size());
    std::u16string_view prefix = path.full.substr(0, end);
    key = keys.find(prefix);
    if (key == keys.end()) key = keys.emplace(prefix, Values()).first;
  }
  return key;
}

bool has_subkeys(const Keys& keys, Keys::const_iterator key) noexcept {
  auto next = std::next(key);
  return next != keys.end() && is_below(next->first, key->first);
}

// Calls `body` under the registry's lock, turning allocation failure into its status.
template <class Body>
LSTATUS locked(Body body) noexcept {
  Registry& r = registry();
  std::lock_guard<std::mutex> guard(r.mutex);
  try {
    return body(r.keys);
  } catch (const std::bad_alloc&) {
    return ERROR_OUTOFMEMORY;
  }
}

}  // namespace

VED_RUNTIME_API LSTATUS VedRegistryCreateKey(LPCOLESTR path) {
  KeyPath key_path(path);
  if (!key_path.valid) return ERROR_INVALID_PARAMETER;
  return locked([&](Keys& keys) {
    create_key(keys, key_path);
    return ERROR_SUCCESS;
  });
}

VED_RUNTIME_API LSTATUS VedRegistrySetValue(LPCOLESTR path, LPCOLESTR name, LPCOLESTR data) {
  KeyPath key_path(path);
  if (!key_path.names_key() || data == nullptr) return ERROR_INVALID_PARAMETER;
  return locked([&](Keys& keys) {
    Values& values = create_key(keys, key_path)->second;
    auto value = values.find(value_name(name));
    if (value == values.end())
      values.emplace(value_name(name), data);
    else
      value->second = data;
    return ERROR_SUCCESS;
  });
}

VED_RUNTIME_API LSTATUS VedRegistryDeleteTree(LPCOLESTR path) {
  KeyPath key_path(path);
  if (!key_path.names_key()) return ERROR_INVALID_PARAMETER;
  return locked([&](Keys& keys) {
    auto first = keys.find(key_path.full);
    if (first == keys.end()) return ERROR_FILE_NOT_FOUND;
    auto last = std::next(first);
    while (last != keys.end() && is_below(last->first, first->first)) ++last;
    keys.erase(first, last);
    return ERROR_SUCCESS;
  });
}

VED_RUNTIME_API LSTATUS VedRegistryRemoveValue(LPCOLESTR path, LPCOLESTR name) {
  KeyPath key_path(path);
  if (!key_path.valid) return ERROR_INVALID_PARAMETER;
  return locked([&](Keys& keys) {
    auto key = keys.find(key_path.full);
    if (key == keys.end()) return ERROR_FILE_NOT_FOUND;
    auto value = key->second.find(value_name(name));
    if (value == key->second.end()) return ERROR_FILE_NOT_FOUND;
    key->second.erase(value);
    for (std::u16string_view emptied = key_path.full; emptied.size() > key_path.root_length;
         emptied = emptied.substr(0, emptied.rfind(u'\\'))) {
      key = keys.find(emptied);
      if (key == keys.end() || !key->second.empty() || has_subkeys(keys, key)) break;
      keys.erase(key);
    }
    return ERROR_SUCCESS;
  });
}

VED_RUNTIME_API void VedRegistryVisit(const VedRegistryVisitor* visitor) {
  if (visitor == nullptr || visitor->key == nullptr || visitor->value == nullptr) return;
  Registry& r = registry();
  std::lock_guard<std::mutex> guard(r.mutex);
  for (const auto& [path, values] : r.keys) {
    visitor->key(visitor->context, path.c_str());
    for (const auto& [name, data] : values)
      visitor->value(visitor->context, name.c_str(), data.c_str());
  }
}

VED_RUNTIME_API void VedRegistryClear() {
  Registry& r = registry();
  std::lock_guard<std::mutex> guard(r.mutex);
  r.keys.clear();
}
