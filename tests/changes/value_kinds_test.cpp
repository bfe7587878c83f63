#include <gtest/gtest.h>

#include "change_capture.hpp"
#include "changes/field_changes.hpp"
#include "changes/value_kind.hpp"

namespace {

using data::ValueKind;
using test::PayloadBuilder;
using test::walk;

test::WalkStep value_change(ValueKind kind) {
  return [kind](ByteCursor& in, ui::event::xml_output& out) {
    ui::event::write_value_change(in, out, kind);
  };
}

std::string old_and_new(std::string_view old_value, std::string_view new_value) {
  return std::string(old_value) + "\n" + std::string(new_value) + "\n";
}

TEST(ValueKinds, OldAndNewValues) {
  struct Case {
    const char* name;
    ValueKind kind;
    std::vector<std::uint8_t> payload;  // old and new value, nothing more
    const char* old_value;
    const char* new_value;
  };
  const Case cases[] = {
      {"signed", ValueKind::signed_integer, PayloadBuilder().i32(-2147483647 - 1).i32(0),
       "<old-value>-2147483648</old-value>", "<new-value>0</new-value>"},
      {"unsigned", ValueKind::unsigned_integer, PayloadBuilder().u32(4294967295u).u32(7),
       "<old-value>4294967295</old-value>", "<new-value>7</new-value>"},
      {"boolean", ValueKind::boolean, PayloadBuilder().u32(0).u32(2),
       "<old-value>false</old-value>", "<new-value>true</new-value>"},
      {"data rate", ValueKind::data_rate, PayloadBuilder().raw({0x00, 0x40, 0x1F, 0x00}).i32(999),
       "<old-value>2.048Mbps</old-value>", "<new-value>999bps</new-value>"},
      {"bandwidth", ValueKind::bandwidth, PayloadBuilder().i32(1500000).i32(-2500),
       "<old-value>1.5MHz</old-value>", "<new-value>-2.5KHz</new-value>"},
      {"frequency", ValueKind::frequency, PayloadBuilder().i64(14000000000).i64(14250000000),
       "<old-value>14GHz</old-value>", "<new-value>14.25GHz</new-value>"},
      {"power", ValueKind::power, PayloadBuilder().raw({0x6A, 0xFF, 0xFA, 0x00}),
       "<old-value>-1.5dBm</old-value>", "<new-value>2.5dBm</new-value>"},
      {"address", ValueKind::ipv4_address, PayloadBuilder().raw({0x01, 0x00, 0xA8, 0xC0}).u32(0),
       "<old-value>192.168.0.1</old-value>", "<new-value>0.0.0.0</new-value>"},
      {"full address", ValueKind::ipv4_address, PayloadBuilder().u32(0xFFFFFFFF).u32(0x0A000001),
       "<old-value>255.255.255.255</old-value>", "<new-value>10.0.0.1</new-value>"},
      {"labels of count zero and below", ValueKind::label,
       PayloadBuilder().counted_wstring(0, u"").counted_wstring(-3, u""), "<old-value/>",
       "<new-value/>"},
      {"labels cut at a NUL", ValueKind::label,
       PayloadBuilder()
           .counted_wstring(3, std::u16string_view(u"A\0B", 3))
           .counted_wstring(1, std::u16string_view(u"\0", 1)),
       "<old-value>A</old-value>", "<new-value></new-value>"},
      {"no device", ValueKind::device_reference,
       test::device(test::device(PayloadBuilder(), u"", u""), u"(none) spare", u"Hub"),
       R"x(<old-value moniker="(none)"/>)x", R"x(<new-value moniker="(none)">Hub</new-value>)x"},
      {"devices", ValueKind::device_reference,
       test::device(test::device(PayloadBuilder(), u"net:hub/1", u""), u"net:hub/2", u"Hub B"),
       R"(<old-value moniker="net:hub/1"/>)",
       R"(<new-value moniker="net:hub/2">Hub B</new-value>)"},
      {"in-band enable", ValueKind::inband_enable, PayloadBuilder().u32(2).u32(3),
       "<old-value>Inherit</old-value>", "<new-value>(invalid)</new-value>"},
      {"entry rate option", ValueKind::entry_rate_option, PayloadBuilder().u32(1).u32(6),
       "<old-value>Manual Entry</old-value>", "<new-value>(invalid)</new-value>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    std::vector<std::uint8_t> payload = c.payload;
    payload.push_back(0xEE);  // never read
    const auto w = walk(payload, value_change(c.kind));
    EXPECT_FALSE(w.error);
    EXPECT_EQ(w.text, old_and_new(c.old_value, c.new_value));
    EXPECT_EQ(w.consumed, c.payload.size());
  }
}

TEST(ValueKinds, LabelWithoutTaskMemoryIsOutOfMemory) {
  test::NoLeaks no_leaks;
  test::TaskAllocationsFail fail_after(1);  // the old label gets its buffer, the new one doesn't
  const auto w = walk(PayloadBuilder().counted_wstring(1, u"a").counted_wstring(1, u"b"),
                      value_change(ValueKind::label));
  test::expect_com_error(w.error, E_OUTOFMEMORY);
  EXPECT_EQ(w.text, "<old-value>a</old-value>\n<new-value");
}

TEST(ValueKinds, DeviceReferenceFailuresReleaseTheMoniker) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> payload;
    HRESULT hr;  // S_OK for an underflow
  };
  const Case cases[] = {
      {"name cut short", PayloadBuilder().wstring(u"net:hub/1").u16(4).units(u"ab"), S_OK},
      {"name the parser rejects", PayloadBuilder().wstring(u"net:\x01").u16(0), MK_E_SYNTAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    const auto w = walk(c.payload, value_change(ValueKind::device_reference));
    if (c.hr == S_OK)
      test::expect_underflow(w.error, 8, 4);
    else
      test::expect_com_error(w.error, c.hr);
    EXPECT_EQ(w.text, "<old-value");
  }
}

}  // namespace
