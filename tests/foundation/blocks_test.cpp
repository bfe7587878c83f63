#include <gtest/gtest.h>

#include <string>

#include "io/copy_units.hpp"
#include "io/scanning.hpp"
#include "io/widening.hpp"

namespace {

// Texts are copied, widened and scanned in fixed-size blocks whose ends overlap: at every length
// each unit must arrive once in its place, nothing past the end be touched, and a line break at
// any position be found, also at an odd address.
TEST(Blocks, CoverEveryLengthAndPosition) {
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
