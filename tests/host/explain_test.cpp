// explain over the host's samples, in process, with the renderers built to report their reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "event_table.hpp"
#include "explanation_forms.hpp"
#include "linked_renderers.hpp"
#include "payload_explanation.hpp"
#include "payload_input.hpp"
#include "samples.hpp"

namespace {

const host::LinkedRenderers& renderers() {
  static const host::LinkedRenderers linked;
  return linked;
}

const host::EventRow& row_of(const host::Sample& sample) { return *renderers().events().row(sample.row); }

std::vector<std::uint8_t> first_bytes(const host::Sample& sample, std::size_t length) {
  return {sample.payload.begin(), sample.payload.begin() + static_cast<std::ptrdiff_t>(length)};
}

host::Explanation explain(const host::Sample& sample, std::size_t length) {
  return host::explain_payload(renderers(), row_of(sample), first_bytes(sample, length));
}

const host::Sample& sample(std::size_t row, std::string_view title) {
  static const std::vector<host::Sample> samples = host::make_samples();
  auto found = std::find_if(samples.begin(), samples.end(),
                            [&](const host::Sample& s) { return s.row == row && s.title == title; });
  EXPECT_NE(found, samples.end()) << title;
  return *found;
}

// The spans tile the bytes read in order, each with what read it and where it went; the bytes
// read and the rest make the payload; a failure stops where the spans end, and a read past the
// end reports the bytes that were left. The JSON form holds the same spans; the table's form is
// pinned below.
TEST(Explain, EveryTruncationOfEverySampleTilesTheBytesRead) {
  std::size_t failures = 0;
  for (const host::Sample& s : host::make_samples()) {
    for (std::size_t length = 0; length <= s.payload.size(); ++length) {
      const std::string where = "row " + std::to_string(s.row) + " " + s.title + ", " + std::to_string(length) + " bytes";
      const host::Explanation e = explain(s, length);
      const nlohmann::json json = nlohmann::json::parse(host::explanation_json(row_of(s), e));
      ASSERT_EQ(json["spans"].size(), e.spans.size()) << where;
      std::size_t end = 0;
      for (std::size_t i = 0; i < e.spans.size(); ++i) {
        const host::ExplainedSpan& span = e.spans[i];
        EXPECT_EQ(span.offset, end) << where;
        EXPECT_GT(span.length, 0u) << where;
        EXPECT_NE(host::primitive_name(span.primitive), "?") << where;
        EXPECT_FALSE(span.path.empty()) << where;
        end = span.offset + span.length;
        const nlohmann::json& held = json["spans"][i];
        EXPECT_EQ(held["offset"], span.offset) << where;
        EXPECT_EQ(held["bytes"].get<std::string>().size(), 2 * span.length) << where;
        EXPECT_EQ(held["path"], span.path) << where;
        EXPECT_EQ(held["value"], span.value ? nlohmann::json(*span.value) : nlohmann::json())
            << where;
      }
      EXPECT_EQ(e.read, end) << where;
      EXPECT_EQ(e.read + e.unread(), length) << where;
      EXPECT_EQ(json["unread"], e.unread()) << where;
      if (length == s.payload.size()) {
        EXPECT_FALSE(e.failure) << where;
      }
      EXPECT_EQ(json["failure"].is_null(), !e.failure) << where;
      if (e.failure) {
        ++failures;
        EXPECT_EQ(e.failure->offset, e.read) << where;
        EXPECT_EQ(e.failure->description, "an underflow occured") << where;
        if (e.failure->needed) {
          EXPECT_EQ(*e.failure->remaining, length - e.failure->offset) << where;
          EXPECT_GT(*e.failure->needed, *e.failure->remaining) << where;
        }
      }
    }
  }
  EXPECT_GT(failures, 1000u);
}

// The hex dump shows each byte once, coloured only when asked, with a legend line per span.
TEST(Explain, HexdumpColoursFieldsOnlyWithColour) {
  const host::Sample& s = sample(9, "a failed switch towards a switched carrier");
  const host::Explanation e = explain(s, s.payload.size());
  const std::string plain = host::explanation_hexdump(row_of(s), e, host::ColourDepth::none);
  const std::string coloured = host::explanation_hexdump(row_of(s), e, host::ColourDepth::palette_256);
  EXPECT_EQ(plain.find('\x1b'), std::string::npos);
  EXPECT_NE(coloured.find("\x1b[38;5;"), std::string::npos);
  // The last row, short of sixteen bytes, and a span of several.
  EXPECT_NE(plain.find("\n00000030  00 80 BE 5D 51 03 00 00  00 60 E3 16 00"
                       "           |...]Q....`...|\n"),
            std::string::npos)
      << plain;
  EXPECT_NE(plain.find("\n2-5       32-bit integer  result[failed]/code  0x80004005\n"), std::string::npos) << plain;
  EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), 1 + 4 + 1 + static_cast<std::ptrdiff_t>(e.spans.size()));
}

struct Pinned {
  std::size_t row;
  std::string_view title;
  std::string_view extra_hex;  // bytes after the sample's payload
  std::size_t cut;             // bytes of the payload taken; 0: all
  std::string_view table;
};

// Reviewed by hand against the payload layouts.
const Pinned pinned[] = {
    {3, "a feature switch and a distribution list disabled", "", 0,
     "Row 3 (InBand Policy Changed v1): 28 bytes, 28 read\n"
     "offset  length  read as         field                                                                  value or (role)     bytes\n"
     "     0       1  byte            /                                                                      (change mask 0x22)  22\n"
     "     1       4  32-bit integer  changed[EnableLqc]/old-value                                           Inherit             02000000\n"
     "     5       4  32-bit integer  changed[EnableLqc]/new-value                                           Enable              01000000\n"
     "     9       2  count           changed[DistributionLists]                                             (count 0)           0000\n"
     "    11       2  count           changed[DistributionLists]                                             (count 1)           0100\n"
     "    13       4  32-bit integer  changed[DistributionLists]/modified-element/key[Target]                10.0.0.1            0100000A\n"
     "    17       1  byte            changed[DistributionLists]/modified-element                            (change mask 0x08)  08\n"
     "    18       4  32-bit integer  changed[DistributionLists]/modified-element/changed[Enable]/old-value  Enable              01000000\n"
     "    22       4  32-bit integer  changed[DistributionLists]/modified-element/changed[Enable]/new-value  Disable             00000000\n"
     "    26       2  count           changed[DistributionLists]                                             (count 0)           0000\n"},
    {16, "made unallocatable, in a group", "", 0,
     "Row 16 (Device Allocatable Flag Changed): 118 bytes, 118 read\n"
     "offset  length  read as           field                             value or (role)      bytes\n"
     "     0       2  moniker length    device[Hub-B/Demodulator-2]       (text length 19)     1300\n"
     "     2      38  moniker           device[Hub-B/Demodulator-2]       Hub-B/Demodulator-2  "
     "4800750062002D0042002F00440065006D006F00640075006C00610074006F0072002D003200\n"
     "    40       2  wide text length  device[Hub-B/Demodulator-2]/name  (text length 13)     0D00\n"
     "    42      26  wide text units   device[Hub-B/Demodulator-2]/name  Demodulator 2        440065006D006F00640075006C00610074006F00720020003200\n"
     "    68       2  moniker length    group[Groups/Spare]               (text length 12)     0C00\n"
     "    70      24  moniker           group[Groups/Spare]               Groups/Spare         470072006F007500700073002F0053007000610072006500\n"
     "    94       2  wide text length  group[Groups/Spare]/name          (text length 10)     0A00\n"
     "    96      20  wide text units   group[Groups/Spare]/name          Spare pool           53007000610072006500200070006F006F006C00\n"
     "   116       1  byte              changed[allocatable]/old-value    true                 01\n"
     "   117       1  byte              changed[allocatable]/new-value    false                00\n"},
    {23, "a band excluded", "ABCD", 0,
     "Row 23 (Space Segment Exclusion Created): 18 bytes, 16 read, 2 not read by this event type\n"
     "offset  length  read as                      field  value or (role)  bytes\n"
     "     0       8  64-bit integer               base   14GHz            000C774203000000\n"
     "     8       8  64-bit integer               top    14.036GHz        005D9C4403000000\n"
     "    16       2  not read by this event type                          ABCD\n"},
    {9, "from home to a switched carrier", "", 16,
     // The carrier is written once all of it is read: its first two fields were read, not shown.
     "Row 9 (InBand Switch): 16 bytes, 14 read, 2 not read (the rendering failed)\n"
     "offset  length  read as                field                value or (role)  bytes\n"
     "     0       1  byte                   type                 scheduled        10\n"
     "     1       1  byte                   /                    (flags 0x21)     21\n"
     "     2       4  signed 32-bit integer  new-state[switched]                   00401F00\n"
     "     6       8  64-bit integer         new-state[switched]                   80BE5D5103000000\n"
     "    14       2  not read                                                     60E3\n"
     "The rendering failed: needed 4 bytes at offset 14, 2 left (an underflow occured)\n"},
};

TEST(Explain, ReviewedExplanationsStayAsTheyAre) {
  for (const Pinned& p : pinned) {
    const host::Sample& s = sample(p.row, p.title);
    std::vector<std::uint8_t> payload = first_bytes(s, p.cut == 0 ? s.payload.size() : p.cut);
    const std::vector<std::uint8_t> extra = host::parse_hex(p.extra_hex);
    payload.insert(payload.end(), extra.begin(), extra.end());
    const host::Explanation e = host::explain_payload(renderers(), row_of(s), payload);
    EXPECT_EQ(host::explanation_table(row_of(s), e), p.table) << p.title;
  }
}

}  // namespace
