#include "io/text_output.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
