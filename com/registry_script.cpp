#include "com/registry_script.hpp"

#include <algorithm>
#include <new>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace com {
namespace {

constexpr char16_t fold(char16_t c) noexcept {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

bool same_word(std::u16string_view a, std::u16string_view b) noexcept {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

struct RootKey {
  std::u16string_view short_name;
  std::u16string_view name;
};
constexpr RootKey root_keys[] = {
    {u"HKCR", u"HKEY_CLASSES_ROOT"},   {u"HKCU", u"HKEY_CURRENT_USER"},
    {u"HKLM", u"HKEY_LOCAL_MACHINE"},  {u"HKU", u"HKEY_USERS"},
    {u"HKCC", u"HKEY_CURRENT_CONFIG"},
};

std::optional<std::u16string_view> root_key_name(std::u16string_view word) noexcept {
  for (const RootKey& root : root_keys)
    if (same_word(word, root.short_name) || same_word(word, root.name)) return root.name;
  return std::nullopt;
}

// The script with its variables in place; false for an unknown name or an unpaired percent.
bool substitute(std::u16string_view script, std::span<const ReplacementVariable> variables,
                std::u16string& result) {
  for (std::size_t at = 0; at < script.size();) {
    std::size_t open = script.find(u'%', at);
    result.append(script.substr(at, open - at));
    if (open == std::u16string_view::npos) break;
    std::size_t close = script.find(u'%', open + 1);
    if (close == std::u16string_view::npos) return false;
    std::u16string_view name = script.substr(open + 1, close - open - 1);
    if (name.empty()) {
      result += u'%';
    } else {
      auto variable =
          std::find_if(variables.begin(), variables.end(),
                       [&](const ReplacementVariable& v) { return same_word(v.name, name); });
      if (variable == variables.end()) return false;
      result.append(variable->value);
    }
    at = close + 1;
  }
  return true;
}

enum class TokenKind { word, quoted, open, close, equals, end, malformed };

struct Token {
  TokenKind kind;
  std::u16string text;

  bool is_name() const noexcept {
    return (kind == TokenKind::word || kind == TokenKind::quoted) && !text.empty();
  }
  bool is_word(std::u16string_view word) const noexcept {
    return kind == TokenKind::word && same_word(text, word);
  }
};

class Lexer {
 public:
  explicit Lexer(std::u16string_view text) noexcept : text_(text) {}

  // Tokens are separated by blanks, so braces inside a name ("{GUID}") belong to the name.
  Token next() {
    while (at_ < text_.size() && is_blank(text_[at_])) ++at_;
    if (at_ == text_.size()) return {TokenKind::end, {}};
    if (text_[at_] == u'\'') return quoted();
    std::size_t start = at_;
    while (at_ < text_.size() && !is_blank(text_[at_])) ++at_;
    std::u16string_view word = text_.substr(start, at_ - start);
    if (word == u"{") return {TokenKind::open, {}};
    if (word == u"}") return {TokenKind::close, {}};
    if (word == u"=") return {TokenKind::equals, {}};
    return {TokenKind::word, std::u16string(word)};
  }

  TokenKind peek() {
    std::size_t saved = at_;
    TokenKind kind = next().kind;
    at_ = saved;
    return kind;
  }

 private:
  static bool is_blank(char16_t c) noexcept {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
  }

  // 'text', where '' stands for one quote.
  Token quoted() {
    Token token{TokenKind::quoted, {}};
    for (++at_; at_ < text_.size(); ++at_) {
      if (text_[at_] != u'\'') {
        token.text += text_[at_];
      } else if (at_ + 1 < text_.size() && text_[at_ + 1] == u'\'') {
        token.text += u'\'';
        ++at_;
      } else {
        ++at_;
        return token;
      }
    }
    return {TokenKind::malformed, {}};
  }

  std::u16string_view text_;
  std::size_t at_ = 0;
};

// One pass over the script; with `apply` false it only checks the script.
class ScriptRunner {
 public:
  ScriptRunner(std::u16string_view text, ScriptMode mode, bool apply) noexcept
      : lexer_(text), mode_(mode), apply_(apply) {}

  HRESULT run() {
    while (lexer_.peek() != TokenKind::end)
      if (!root()) return result_;
    return S_OK;
  }

 private:
  bool root() {
    Token name = lexer_.next();
    std::optional<std::u16string_view> root = root_key_name(name.text);
    if (name.kind != TokenKind::word || !root || lexer_.next().kind != TokenKind::open)
      return malformed();
    return body(std::u16string(*root), apply_);
  }

  bool body(const std::u16string& path, bool apply) {
    for (Token token = lexer_.next(); token.kind != TokenKind::close; token = lexer_.next())
      if (!entry(std::move(token), path, apply)) return false;
    return true;
  }

  bool entry(Token first, const std::u16string& path, bool apply) {
    if (first.is_word(u"val")) return value(path, apply);
    bool no_remove = first.is_word(u"NoRemove");
    bool force_remove = first.is_word(u"ForceRemove");
    Token name = no_remove || force_remove ? lexer_.next() : std::move(first);
    if (!name.is_name()) return malformed();
    std::u16string key = path + u'\\' + name.text;

    std::optional<std::u16string> default_value;
    if (lexer_.peek() == TokenKind::equals) {
      lexer_.next();
      if (!string_value(default_value.emplace())) return false;
    }

    bool apply_body = apply;
    if (apply && mode_ == ScriptMode::register_keys) {
      if (force_remove && !removed(VedRegistryDeleteTree(key.c_str()))) return false;
      if (!written(VedRegistryCreateKey(key.c_str()))) return false;
      if (default_value &&
          !written(VedRegistrySetValue(key.c_str(), nullptr, default_value->c_str())))
        return false;
    } else if (apply && !no_remove) {
      if (!removed(VedRegistryDeleteTree(key.c_str()))) return false;
      apply_body = false;  // gone with its key
    }

    if (lexer_.peek() != TokenKind::open) return true;
    lexer_.next();
    return body(key, apply_body);
  }

  // val name = s 'text'; unregistering leaves values to go with their keys.
  bool value(const std::u16string& path, bool apply) {
    Token name = lexer_.next();
    if (!name.is_name() || lexer_.next().kind != TokenKind::equals) return malformed();
    std::u16string text;
    if (!string_value(text)) return false;
    if (!apply || mode_ != ScriptMode::register_keys) return true;
    return written(VedRegistrySetValue(path.c_str(), name.text.c_str(), text.c_str()));
  }

  // s 'text', after the equals sign.
  bool string_value(std::u16string& text) {
    if (!lexer_.next().is_word(u"s")) return malformed();
    Token quoted = lexer_.next();
    if (quoted.kind != TokenKind::quoted) return malformed();
    text = std::move(quoted.text);
    return true;
  }

  bool malformed() noexcept {
    result_ = E_FAIL;
    return false;
  }
  bool written(LSTATUS status) noexcept {
    result_ = HRESULT_FROM_WIN32(status);
    return status == ERROR_SUCCESS;
  }
  // Deleting what is already absent succeeds.
  bool removed(LSTATUS status) noexcept {
    return written(status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status);
  }

  Lexer lexer_;
  ScriptMode mode_;
  bool apply_;
  HRESULT result_ = S_OK;
};

}  // namespace

HRESULT run_registry_script(std::u16string_view script, ScriptMode mode,
                            std::span<const ReplacementVariable> variables) noexcept {
  try {
    std::u16string text;
    if (!substitute(script, variables, text)) return E_FAIL;
    HRESULT checked = ScriptRunner(text, mode, false).run();
    if (FAILED(checked)) return checked;
    return ScriptRunner(text, mode, true).run();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace com
