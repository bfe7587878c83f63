#include "io/text_output.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/copy_units.hpp"
#include "io/scanning.hpp"
#include "io/widening.hpp"
#include "plugin/errors.hpp"

namespace {

using ui::event::text_output;

struct Overflow {
  long needed = -1;
  long available = -1;
};

// Writes each text in turn until one overflows; returns the buffer text and the overflow.
std::pair<std::u16string, Overflow> write_all(std::uint32_t size, const std::vector<std::string>& texts) {
  std::vector<char16_t> buffer(size + 1, u'#');  // one guard unit past the end
  Overflow failure;
  {
    text_output out(buffer.data(), size);
    try {
      for (const std::string& t : texts) out.put_text(std::string_view(t));
    } catch (const io::overflow& e) {
      failure = {e.needed, e.available};
    }
  }
  EXPECT_EQ(buffer[size], u'#') << "wrote past the buffer";
  return {std::u16string(buffer.data()), failure};
}

TEST(TextOutput, OverflowPointsKeepTheBufferTerminated) {
  struct Case {
    std::uint32_t size;
    std::vector<std::string> texts;
    std::u16string left;
    long needed, available;
  };
  const Case cases[] = {
      {1, {""}, u"", -1, -1},
      {1, {"a"}, u"", 1, 0},
      {10, {"123456789"}, u"123456789", -1, -1},
      {10, {"1234567890"}, u"", 10, 9},
      {10, {"abcd", "efgh", "ij"}, u"abcdefgh", 2, 1},
      {10, {"abcd", "efgh", "i", ""}, u"abcdefghi", -1, -1},
  };
  for (const Case& k : cases) {
    auto [text, failure] = write_all(k.size, k.texts);
    EXPECT_EQ(text, k.left);
    EXPECT_EQ(failure.needed, k.needed);
    EXPECT_EQ(failure.available, k.available);
  }
}

TEST(TextOutput, NarrowBytesWidenOneUnitEach) {
  char16_t buffer[8];
  text_output out(buffer, 8);
  out.put_text(std::string_view("a\xE9\0z", 4));
  EXPECT_EQ(std::u16string(buffer, 4), std::u16string(u"a\u00E9\0z", 4));
  EXPECT_EQ(out.written(), 4u);
}

// Texts are copied, widened and scanned in fixed-size blocks whose ends overlap: at every length
// each unit must arrive once in its place, nothing past the end be touched, and a line break at
// any position be found, also at an odd address.
TEST(TextOutput, BlocksCoverEveryLengthAndPosition) {
  constexpr char16_t guard = u'#';
  for (std::size_t length = 0; length <= 48; ++length) {
    for (std::size_t offset = 0; offset < 2; ++offset) {
      std::string narrow(offset, 'x');
      std::u16string wide(offset, u'x');
      for (std::size_t i = 0; i < length; ++i) {
        narrow += static_cast<char>(0x80 + i);  // above 0x7F: widened without a sign
        wide += static_cast<char16_t>(0x0400 + i);
      }
      std::u16string copied(length + 1, guard), widened(length + 1, guard);
      io::copy_units(copied.data(), wide.data() + offset, length);
      io::widen_ansi(narrow.data() + offset, length, widened.data());
      EXPECT_EQ(copied, wide.substr(offset) + guard) << length;
      for (std::size_t i = 0; i < length; ++i)
        ASSERT_EQ(widened[i], 0x80 + i) << length << " " << i;
      EXPECT_EQ(widened[length], guard) << length;

      const std::string_view scanned(narrow.data() + offset, length);
      EXPECT_FALSE(io::holds<io::line_breaks>(scanned)) << length;
      for (std::size_t at = 0; at < length; ++at) {
        std::string with_break(scanned);
        with_break[at] = '\n';
        std::u16string wide_with_break(wide.substr(offset));
        wide_with_break[at] = u'\n';
        EXPECT_TRUE(io::holds<io::line_breaks>(std::string_view(with_break))) << length << " " << at;
        EXPECT_TRUE(io::holds<io::line_breaks>(std::u16string_view(wide_with_break)))
            << length << " " << at;
      }
    }
  }
}

}  // namespace
