#include "changes/field_changes.hpp"

#include <gtest/gtest.h>

#include "change_capture.hpp"

namespace {

using data::ElementListType;
using data::Field;
using data::KeyPart;
using data::RecordType;
using data::ValueKind;
using test::PayloadBuilder;
using test::walk;
using test::xml;

// Record types of the tests' own, one field of each kind.
constexpr Field LeafFields[] = {data::value_field("Flag", ValueKind::boolean)};
constexpr RecordType LeafRecord{LeafFields};

constexpr Field ItemFields[] = {
    data::value_field("Address", ValueKind::ipv4_address),
    data::value_field("Mask", ValueKind::ipv4_address),
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

void sample_changes(ui::event::xml_output& out, ByteCursor& cursor) {
  ui::event::write_field_changes(out, cursor, SampleRecord);
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
  // Zero, and bits above the last of five fields.
  for (const std::uint8_t mask : {std::uint8_t{0x00}, std::uint8_t{0xE0}}) {
    const auto w = walk(PayloadBuilder().u8(mask).raw({0x01}), sample_changes);
    EXPECT_FALSE(w.error) << int{mask};
    EXPECT_EQ(w.text, "") << int{mask};
    EXPECT_EQ(w.consumed, 1u) << int{mask};
  }
}

// A flagged field whose own change is empty still opens and closes its element; a modified
// element with nothing changed still names its key.
TEST(FieldChanges, EmptyChangesKeepTheirElements) {
  PayloadBuilder b;
  b.u8(0x0E);
  b.u8(0x00);                                               // Leaf: nothing changed
  b.u16(0).u16(1).u32(0x0A000003).u32(0).u8(0x00).u16(0);  // Items: one unchanged element
  b.zeros(40);                                              // ModCod: old and new
  const auto w = walk(b, sample_changes);
  ASSERT_FALSE(w.error);
  EXPECT_EQ(w.text, xml({{0, R"(<changed field="Leaf">)"},
                         {0, "</changed>"},
                         {0, R"(<changed field="Items">)"},
                         {1, "<modified-element>"},
                         {2, R"(<key field="Address">10.0.0.3</key>)"},
                         {2, R"(<key field="Mask">0.0.0.0</key>)"},
                         {1, "</modified-element>"},
                         {0, "</changed>"},
                         {0, R"(<changed field="ModCod">)"},
                         {0, "</changed>"}},
                        0));
  EXPECT_EQ(w.consumed, b.bytes().size());
}

}  // namespace
