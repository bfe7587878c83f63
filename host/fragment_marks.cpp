#include "fragment_marks.hpp"

#include <charconv>

#include "platform/utf8.hpp"

namespace host {

namespace {

bool is_blank(char16_t unit) noexcept { return unit == u' ' || unit == u'\n' || unit == u'\t' || unit == u'\r'; }

bool is_name_unit(char16_t unit) noexcept {
  return unit != u'>' && unit != u'/' && unit != u'=' && !is_blank(unit);
}

std::u16string_view trim(std::u16string_view text) noexcept {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

// The text with the sink's entities and character references resolved.
std::u16string resolve_references(std::u16string_view text) {
  std::u16string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::size_t end = text[at] == u'&' ? text.find(u';', at) : std::u16string_view::npos;
    if (end == std::u16string_view::npos) {
      out += text[at];
      continue;
    }
    const std::u16string_view name = text.substr(at + 1, end - at - 1);
    if (name == u"lt") out += u'<';
    else if (name == u"gt") out += u'>';
    else if (name == u"amp") out += u'&';
    else if (name == u"quot") out += u'"';
    else if (name == u"apos") out += u'\'';
    else if (name.size() > 1 && name[0] == u'#') {
      const bool hex = name[1] == u'x';
      std::string digits;
      for (char16_t unit : name.substr(hex ? 2 : 1)) digits += static_cast<char>(unit < 0x80 ? unit : u'?');
      unsigned value = 0;
      std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
      out += static_cast<char16_t>(value);
    } else {
      out.append(text.substr(at, end - at + 1));
    }
    at = end;
  }
  return out;
}

class Scanner {
 public:
  explicit Scanner(std::u16string_view fragment) noexcept : text_(fragment) {}

  std::vector<FragmentMark> scan() {
    while (at_ < text_.size()) {
      if (text_[at_] != u'<') {
        character_data();
      } else if (at_ + 1 < text_.size() && text_[at_ + 1] == u'/') {
        marks_.push_back({FragmentMark::Kind::close, at_, {}});
        skip_past(u'>');
      } else {
        start_tag();
      }
    }
    return std::move(marks_);
  }

 private:
  void character_data() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != u'<') ++at_;
    const std::u16string_view run = text_.substr(start, at_ - start);
    const std::u16string_view data = trim(run);
    // A text stands where its first character does: the line break before it may have been
    // written before the text was read.
    if (!data.empty())
      marks_.push_back({FragmentMark::Kind::text, start + static_cast<std::size_t>(data.data() - run.data()),
                        resolve_references(data)});
  }

  void start_tag() {
    const std::size_t open = marks_.size();
    marks_.push_back({FragmentMark::Kind::open, at_++, {}});
    marks_[open].text = name();
    bool labelled = false;
    for (;;) {
      while (at_ < text_.size() && is_blank(text_[at_])) ++at_;
      if (at_ >= text_.size()) return;
      if (text_[at_] == u'>') {
        ++at_;
        return;
      }
      if (text_[at_] == u'/') {
        marks_.push_back({FragmentMark::Kind::close, at_, {}});
        skip_past(u'>');
        return;
      }
      const std::size_t position = at_;
      name();
      skip_past(u'"');
      const std::size_t start = at_;
      while (at_ < text_.size() && text_[at_] != u'"') ++at_;
      std::u16string value = resolve_references(text_.substr(start, at_ - start));
      if (at_ < text_.size()) ++at_;
      if (!labelled) marks_[open].text += u"[" + value + u"]";
      labelled = true;
      marks_.push_back({FragmentMark::Kind::attribute, position, std::u16string(trim(value))});
    }
  }

  std::u16string name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && is_name_unit(text_[at_])) ++at_;
    return std::u16string(text_.substr(start, at_ - start));
  }

  void skip_past(char16_t unit) noexcept {
    while (at_ < text_.size() && text_[at_] != unit) ++at_;
    if (at_ < text_.size()) ++at_;
  }

  std::u16string_view text_;
  std::size_t at_ = 0;
  std::vector<FragmentMark> marks_;
};

}  // namespace

std::vector<FragmentMark> scan_fragment(std::u16string_view fragment) { return Scanner(fragment).scan(); }

std::string FragmentWalk::path() const {
  std::string path;
  for (const std::u16string* label : open_) {
    if (!path.empty()) path += '/';
    path += platform::to_utf8(*label);
  }
  return path;
}

}  // namespace host
