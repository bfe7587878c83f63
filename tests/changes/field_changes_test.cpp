#include "changes/field_changes.hpp"

#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using data::ElementListType;
using data::Field;
using data::KeyPart;
using data::RecordType;
using data::ValueKind;
using test::Line;
using test::PayloadBuilder;
using test::walk;
using test::xml;

// Record types of the tests' own, covering every field kind.
constexpr Field LeafFields[] = {
    data::value_field("Flag", ValueKind::boolean),
    data::value_field("Rate", ValueKind::data_rate),
};
constexpr RecordType LeafRecord{LeafFields};
constexpr KeyPart LeafKey[] = {{"Rate", ValueKind::data_rate}};
constexpr ElementListType LeafElements{LeafRecord, LeafKey};

constexpr Field ItemFields[] = {
    data::value_field("Address", ValueKind::ipv4_address),
    data::value_field("Mask", ValueKind::ipv4_address),
    data::value_field("Name", ValueKind::label),
    data::modcod_field("ModCod"),
    data::list_field("Leaves", LeafElements),
};
constexpr RecordType ItemRecord{ItemFields};
constexpr KeyPart ItemKey[] = {{"Address", ValueKind::ipv4_address},
                               {"Mask", ValueKind::ipv4_address}};
constexpr ElementListType ItemElements{ItemRecord, ItemKey};

constexpr Field SampleFields[] = {
    data::value_field("Priority", ValueKind::signed_integer),
    data::nested_field("Leaf", LeafRecord),
    data::list_field("Items", ItemElements),
    data::modcod_field("ModCod"),
    data::value_field("Level", ValueKind::inband_enable),
};
constexpr RecordType SampleRecord{SampleFields};

constexpr Field WideFields[] = {
    data::value_field("F0", ValueKind::unsigned_integer),
    data::value_field("F1", ValueKind::unsigned_integer),
    data::value_field("F2", ValueKind::unsigned_integer),
    data::value_field("F3", ValueKind::unsigned_integer),
    data::value_field("F4", ValueKind::unsigned_integer),
    data::value_field("F5", ValueKind::unsigned_integer),
    data::value_field("F6", ValueKind::unsigned_integer),
    data::value_field("F7", ValueKind::unsigned_integer),
    data::value_field("F8", ValueKind::unsigned_integer),
};
constexpr RecordType WideRecord{WideFields};

static_assert(LeafRecord.mask_bytes() == 1 && SampleRecord.mask_bytes() == 1);
static_assert(WideRecord.mask_bytes() == 2);

void sample_changes(ByteCursor& in, ui::event::xml_output& out) {
  ui::event::write_field_changes(in, out, SampleRecord);
}
void wide_changes(ByteCursor& in, ui::event::xml_output& out) {
  ui::event::write_field_changes(in, out, WideRecord);
}

TEST(FieldChanges, FlaggedFieldsInPositionOrderAndNothingAfterThem) {
  PayloadBuilder b;
  b.u8(0x11);
  b.i32(-1).i32(5);  // Priority
  b.u32(2).u32(7);   // Level
  b.raw({0xEE, 0xEE});
  const auto w = walk(b, sample_changes);
  ASSERT_FALSE(w.error);
  EXPECT_EQ(w.text, xml({{0, R"(<changed field="Priority">)"},
                         {1, "<old-value>-1</old-value>"},
                         {1, "<new-value>5</new-value>"},
                         {0, "</changed>"},
                         {0, R"(<changed field="Level">)"},
                         {1, "<old-value>Inherit</old-value>"},
                         {1, "<new-value>(invalid)</new-value>"},
                         {0, "</changed>"}},
                        0));
  EXPECT_EQ(w.consumed, 17u);
}

TEST(FieldChanges, MasksThatFlagNoFieldReadNothingMore) {
  struct Case {
    std::uint8_t mask;
  };
  // Zero, and bits above the last of five fields.
  for (const Case c : {Case{0x00}, Case{0xE0}}) {
    const auto w = walk(PayloadBuilder().u8(c.mask).raw({0x01}), sample_changes);
    EXPECT_FALSE(w.error) << int{c.mask};
    EXPECT_EQ(w.text, "") << int{c.mask};
    EXPECT_EQ(w.consumed, 1u) << int{c.mask};
  }
}

TEST(FieldChanges, EmptyNestedChangeListChangeAndModCod) {
  PayloadBuilder b;
  b.u8(0x0E);
  b.u8(0x00);              // Leaf: nothing changed
  b.u16(0).u16(0).u16(0);  // Items: no element in any group
  b.zeros(40);             // ModCod: old and new
  const auto w = walk(b, sample_changes);
  ASSERT_FALSE(w.error);
  EXPECT_EQ(w.text, xml({{0, R"(<changed field="Leaf">)"},
                         {0, "</changed>"},
                         {0, R"(<changed field="Items">)"},
                         {0, "</changed>"},
                         {0, R"(<changed field="ModCod">)"},
                         {0, "</changed>"}},
                        0));
  EXPECT_EQ(w.consumed, 48u);
}

TEST(FieldChanges, ElementListGroupsComeInPayloadOrder) {
  PayloadBuilder b;
  b.u8(0x04);
  b.u16(1).u32(0x0A000001).u32(0xFFFFFF00).counted_wstring(2, u"R1").zeros(20);  // removed
  b.u16(2);
  b.u32(0x0A000002).u32(0xFFFF0000).u8(0x14);               // modified: Name and Leaves
  b.counted_wstring(1, u"a").counted_wstring(1, u"b");      // Name
  b.u16(0).u16(1).i32(1000).u8(0x01).u32(0).u32(1).u16(0);  // Leaves: the leaf keyed 1Kbps
  b.u32(0x0A000003).u32(0).u8(0x00);                        // modified, nothing of it changed
  b.u16(1).u32(0x0A000004).u32(0).counted_wstring(0, u"").zeros(20);  // added
  const auto w = walk(b, sample_changes);
  ASSERT_FALSE(w.error);
  EXPECT_EQ(w.text, xml({{0, R"(<changed field="Items">)"},
                         {1, "<removed-element>"},
                         {2, R"(<field name="Address">10.0.0.1</field>)"},
                         {2, R"(<field name="Mask">255.255.255.0</field>)"},
                         {2, R"(<field name="Name">R1</field>)"},
                         {2, R"(<field name="ModCod"/>)"},
                         {2, R"(<field name="Leaves"/>)"},
                         {1, "</removed-element>"},
                         {1, "<modified-element>"},
                         {2, R"(<key field="Address">10.0.0.2</key>)"},
                         {2, R"(<key field="Mask">255.255.0.0</key>)"},
                         {2, R"(<changed field="Name">)"},
                         {3, "<old-value>a</old-value>"},
                         {3, "<new-value>b</new-value>"},
                         {2, "</changed>"},
                         {2, R"(<changed field="Leaves">)"},
                         {3, "<modified-element>"},
                         {4, R"(<key field="Rate">1Kbps</key>)"},
                         {4, R"(<changed field="Flag">)"},
                         {5, "<old-value>false</old-value>"},
                         {5, "<new-value>true</new-value>"},
                         {4, "</changed>"},
                         {3, "</modified-element>"},
                         {2, "</changed>"},
                         {1, "</modified-element>"},
                         {1, "<modified-element>"},
                         {2, R"(<key field="Address">10.0.0.3</key>)"},
                         {2, R"(<key field="Mask">0.0.0.0</key>)"},
                         {1, "</modified-element>"},
                         {1, "<added-element>"},
                         {2, R"(<field name="Address">10.0.0.4</field>)"},
                         {2, R"(<field name="Mask">0.0.0.0</field>)"},
                         {2, R"(<field name="Name"/>)"},
                         {2, R"(<field name="ModCod"/>)"},
                         {2, R"(<field name="Leaves"/>)"},
                         {1, "</added-element>"},
                         {0, "</changed>"}},
                        0));
  EXPECT_EQ(w.consumed, b.bytes().size());
}

TEST(FieldChanges, NineFieldsTakeATwoByteMask) {
  const auto w = walk(PayloadBuilder().u16(0xFF00).u32(3).u32(4), wide_changes);
  ASSERT_FALSE(w.error);
  EXPECT_EQ(w.text, xml({{0, R"(<changed field="F8">)"},
                         {1, "<old-value>3</old-value>"},
                         {1, "<new-value>4</new-value>"},
                         {0, "</changed>"}},
                        0));
  test::expect_underflow(walk({0x00}, wide_changes).error, 2, 1);
}

TEST(FieldChanges, TruncationRaisesUnderflowAndKeepsWhatWasWritten) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> payload;
    std::uint32_t needed, available;
    std::string written;
  };
  const std::string leaf_open = xml({{0, R"(<changed field="Leaf">)"}}, 0);
  const std::string items_open = xml({{0, R"(<changed field="Items">)"}}, 0);
  const Case cases[] = {
      {"mask", {}, 1, 0, ""},
      {"old value", PayloadBuilder().u8(0x01).raw({1, 0}), 4, 2,
       xml({{0, R"(<changed field="Priority">)"}}, 0) + " <old-value"},
      {"nested mask", {0x02}, 1, 0, leaf_open},
      {"removed count", {0x04, 0x00}, 2, 1, items_open},
      {"modcod", PayloadBuilder().u8(0x08).zeros(25), 20, 5,
       xml({{0, R"(<changed field="ModCod">)"}}, 0)},
      {"modified key", PayloadBuilder().u8(0x04).u16(0).u16(1).u32(1).raw({2}), 4, 1,
       items_open +
           xml({{1, "<modified-element>"}, {2, R"(<key field="Address">0.0.0.1</key>)"}}, 0) +
           R"(  <key field="Mask")"},
      {"label text", PayloadBuilder().u8(0x04).u16(1).u32(1).u32(2).counted_wstring(3, u"ab"), 6, 4,
       items_open +
           xml({{1, "<removed-element>"},
                {2, R"(<field name="Address">0.0.0.1</field>)"},
                {2, R"(<field name="Mask">0.0.0.2</field>)"}},
               0) +
           R"(  <field name="Name")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::NoLeaks no_leaks;
    const auto w = walk(c.payload, sample_changes);
    test::expect_underflow(w.error, c.needed, c.available);
    EXPECT_EQ(w.text, c.written);
  }
}

}  // namespace
