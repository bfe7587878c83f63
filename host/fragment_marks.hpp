// The marks of an XML fragment as the renderers write it: where each element opens and closes
// and where each text stands, character data and attribute values alike, by UTF-16 position.
// A fragment cut short by a failed rendering gives the marks of what it holds.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct FragmentMark {
  enum class Kind { open, close, text, attribute };
  Kind kind;
  std::size_t position;
  // open: the element's label, its name and, where it has attributes, the first one's value in
  // brackets ("changed[Frequency]"); text and attribute: the text with references resolved and
  // blanks around it trimmed.
  std::u16string text;
};

std::vector<FragmentMark> scan_fragment(std::u16string_view fragment);

// Walks the marks in order, keeping the path of the open elements.
class FragmentWalk {
 public:
  explicit FragmentWalk(std::span<const FragmentMark> marks) noexcept : marks_(marks) {}

  // Applies the marks that stand before `position`, calling visit(mark) after each.
  template <class Visit>
  void advance(std::size_t position, Visit&& visit) {
    for (; next_ < marks_.size() && marks_[next_].position < position; ++next_) {
      const FragmentMark& mark = marks_[next_];
      if (mark.kind == FragmentMark::Kind::open) open_.push_back(&mark.text);
      if (mark.kind == FragmentMark::Kind::close && !open_.empty()) open_.pop_back();
      visit(mark);
    }
  }

  // "a/b[x]/c": the labels of the open elements, outermost first; empty at the top level.
  std::string path() const;

 private:
  std::span<const FragmentMark> marks_;
  std::size_t next_ = 0;
  std::vector<const std::u16string*> open_;
};

}  // namespace host
