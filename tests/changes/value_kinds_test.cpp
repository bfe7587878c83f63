#include <gtest/gtest.h>

#include "change_capture.hpp"
#include "changes/field_changes.hpp"
#include "changes/value_kind.hpp"
#include "plugin/errors.hpp"

namespace {

using data::ValueKind;
using test::PayloadBuilder;
using test::walk;

test::WalkStep value_change(ValueKind kind) {
  return [kind](ui::event::xml_output& out, ByteCursor& cursor) {
    ui::event::write_value_change(out, cursor, kind);
  };
}

// The edges of each kind; ordinary values, device references, negative integers and labels with
// markup are pinned by the sample renderings and the field-change tests.
TEST(ValueKinds, OldAndNewValues) {
  struct Case {
    const char* name;
    ValueKind kind;
    std::vector<std::uint8_t> payload;  // old and new value, nothing more
    const char* expected;
  };
  const Case cases[] = {
      {"unsigned extremes", ValueKind::unsigned_integer, PayloadBuilder().u32(4294967295u).u32(0),
       "<old-value>4294967295</old-value>\n<new-value>0</new-value>\n"},
      {"any non-zero boolean is true", ValueKind::boolean, PayloadBuilder().u32(0).u32(2),
       "<old-value>false</old-value>\n<new-value>true</new-value>\n"},
      {"labels of count zero and below", ValueKind::label,
       PayloadBuilder().counted_wstring(0, u"").counted_wstring(-3, u""),
       "<old-value/>\n<new-value/>\n"},
      {"labels cut at a NUL", ValueKind::label,
       PayloadBuilder()
           .counted_wstring(3, std::u16string_view(u"A\0B", 3))
           .counted_wstring(1, std::u16string_view(u"\0", 1)),
       "<old-value>A</old-value>\n<new-value></new-value>\n"},
      {"option out of range", ValueKind::entry_rate_option, PayloadBuilder().u32(1).u32(6),
       "<old-value>Manual Entry</old-value>\n<new-value>(invalid)</new-value>\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    std::vector<std::uint8_t> payload = c.payload;
    payload.push_back(0xEE);  // never read
    const auto w = walk(payload, value_change(c.kind));
    EXPECT_FALSE(w.error);
    EXPECT_EQ(w.text, c.expected);
    EXPECT_EQ(w.consumed, c.payload.size());
  }
}

TEST(ValueKinds, LabelWithoutTaskMemoryIsOutOfMemory) {
  test::NoLeaks no_leaks;
  test::TaskAllocationsFail fail_after(1);  // the old label gets its buffer, the new one doesn't
  const auto w = walk(PayloadBuilder().counted_wstring(1, u"a").counted_wstring(1, u"b"),
                      value_change(ValueKind::label));
  ASSERT_TRUE(w.error);
  try {
    std::rethrow_exception(w.error);
  } catch (const com::error& e) {  // anything else escapes and fails the test
    EXPECT_EQ(e.hresult(), E_OUTOFMEMORY);
  }
  EXPECT_EQ(w.text, "<old-value>a</old-value>\n<new-value");
}

}  // namespace
