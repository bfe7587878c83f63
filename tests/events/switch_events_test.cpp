#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "event_cases.hpp"
#include "support/payload_builder.hpp"
#include "veduvedader/eventui.h"

namespace test {
namespace {

constexpr int inband_switch = 9;
constexpr int inband_switch_v0 = 10;
constexpr int satellite_switch = 17;
constexpr int outofband_switch = 18;

// 2.048Mbps at 14.25GHz, 1.5MHz wide.
void append_carrier(PayloadBuilder& p) { p.i32(2048000).u64(14250000000).i32(1500000); }

Payload performed(std::uint8_t kind, std::uint8_t flags, int carriers = 0) {
  PayloadBuilder p;
  p.u8(kind).u8(flags);
  for (int i = 0; i < carriers; ++i) append_carrier(p);
  return p;
}

Payload failed(std::uint8_t kind, std::uint8_t flags, std::uint32_t code,
               std::string_view description) {
  PayloadBuilder p;
  p.u8(kind).u8(flags).u32(code).string(description);
  return p;
}

Payload v0(std::int32_t result, std::string_view description, bool with_power) {
  PayloadBuilder p;
  p.u8(16).i32(result);
  if (result < 0) p.string(description);
  append_carrier(p);
  if (with_power) p.i16(-1234);
  return p;
}

Payload outofband(std::uint8_t flags, std::uint32_t result) {
  PayloadBuilder p;
  p.u8(flags).u32(result);
  return p;
}

Payload transition(std::u16string_view old_name, std::u16string_view old_moniker,
                   std::u16string_view new_name, std::u16string_view new_moniker) {
  PayloadBuilder p;
  p.i32(0).wstring(old_name).wstring(old_moniker).wstring(new_name).wstring(new_moniker);
  return p;
}

std::string outofband_result(std::string_view code) {
  return "   <result>\n     <code>" + std::string(code) +
         "</code>\n     <description>success</description>\n   </result>\n";
}

using InBandSwitch = EventRendering;
using OutOfBandSwitch = EventRendering;
using SatelliteSwitch = EventRendering;

TEST_F(InBandSwitch, SentenceNamesTheKindAndWhatTheSwitchDid) {
  expect_text("switched to home, ignored bits set", inband_switch, performed(2, 0xD5, 1),
              "A diagnostic switch successfully switched the site from 2.048Mbps to home.",
              EVENTUI_COLOUR_GREEN);
  // Bandwidths are never compared, so equal carriers read as a bandwidth change.
  expect_text("identical carriers", inband_switch, performed(8, 0x31, 2),
              "A user application switch successfully changed the site's bandwidth.",
              EVENTUI_COLOUR_GREEN);
  // The carriers announced by 0x30 are not read once the switch failed.
  expect_text("failed", inband_switch, failed(9, 0x33, 0x80004005, ""),
              "An automatic application switch failed with the error: ", EVENTUI_COLOUR_RED);
}

TEST_F(InBandSwitch, KindsWithoutANameAreUnknownAndAnyEvenFlagsMeanNoOperation) {
  const std::uint8_t unnamed_kinds[] = {0, 3, 17, 255};
  for (std::uint8_t kind : unnamed_kinds) {
    expect_text("kind " + std::to_string(kind), inband_switch, performed(kind, 0xFE),
                "An unknown switch resulted in no operation being performed.", EVENTUI_COLOUR_WHITE);
  }
  expect_xml("no operation", inband_switch, performed(200, 0x32),
             "   <type>unknown</type>\n   <result status=\"success\"/>\n"
             "   <disposition>no switch required</disposition>\n");
}

// The description is payload text: escaped in the document, shown as it came in the sentence;
// an empty one keeps its line. (The reviewed sample "satellites whose names hold markup
// characters" pins wide names and monikers.)
TEST_F(InBandSwitch, FailureCodeIsPaddedAndTheDescriptionEscapedInTheDocumentOnly) {
  const Rendered empty = render_xml(inband_switch, failed(2, 0x03, 0xABC, ""));
  EXPECT_NE(empty.text.find("     <code>0x00000ABC</code>\n"
                            "     <description>\n       \n     </description>\n   </result>\n"),
            std::string::npos)
      << empty.text;
  const std::string description = "quota < 0 & \"pool\" >\x01";
  const Rendered xml = render_xml(inband_switch, failed(2, 0x03, 1, description));
  EXPECT_NE(xml.text.find("\n       quota &lt; 0 &amp; \"pool\" &gt;\xEF\xBF\xBD\n"),
            std::string::npos)
      << xml.text;
  expect_text("sentence", inband_switch, failed(2, 0x03, 1, description),
              "A diagnostic switch failed with the error: " + description, EVENTUI_COLOUR_RED);
}

TEST_F(InBandSwitch, ShortPayloadKeepsTheFieldsBeforeTheMissingOne) {
  Payload cut_carrier = performed(16, 0x21, 1);
  cut_carrier.resize(2 + 8);
  Payload v0_cut_description = v0(-1, "timeout", true);
  v0_cut_description.resize(1 + 4 + 2 + 2);
  const std::string type = "   <type>scheduled</type>\n";
  expect_underflow("short carrier", inband_switch, Form::xml, cut_carrier,
                   type + "   <result status=\"success\"/>\n   <old-state status=\"home\"/>\n"
                          "   <new-state status=\"switched\"");
  // The older layout opens the description before reading it.
  expect_underflow("short description", inband_switch_v0, Form::xml, v0_cut_description,
                   type + "   <result status=\"failed\">\n    <code>0xFFFFFFFF</code>\n"
                          "    <description>\n");
  // The power is shown only in the document, so only the document needs it.
  expect_underflow("no power", inband_switch_v0, Form::xml, v0(0, "", false),
                   type + "   <result status=\"success\"/>\n   <new-state>\n"
                          "     <data-rate>2.048Mbps</data-rate>\n"
                          "     <frequency>14.25GHz</frequency>\n"
                          "     <bandwidth>1.5MHz</bandwidth>\n");
  expect_text("no power", inband_switch_v0, v0(0, "", false),
              "A scheduled switch successfully changed the site's data rate to 2.048Mbps, at "
              "14.25GHz, consuming 1.5MHz of bandwidth from the dynamic pool.", EVENTUI_COLOUR_GREEN);
}

TEST_F(OutOfBandSwitch, ResultDecidesTheSentenceBeforeTheFlags) {
  const std::string unsuccessful = "An out-of-band switch completed unsuccessfully, reporting: ";
  expect_text("not performed", outofband_switch, outofband(0x00, 3), unsuccessful + "recoverable.",
              EVENTUI_COLOUR_RED);
  expect_text("beyond the named results", outofband_switch, outofband(0x01, 7),
              unsuccessful + "success.", EVENTUI_COLOUR_RED);
  // The text never reads the carriers the flags announce.
  expect_text("carrier missing", outofband_switch, outofband(0x11, 1),
              "An out-of-band switch completed successfully.", EVENTUI_COLOUR_GREEN);
}

TEST_F(OutOfBandSwitch, DocumentShowsTheCodeSignedAndReadsTheCarriers) {
  // Bit 0x02 means nothing here, and codes past the named ones are called success.
  expect_xml("code with the top bit set", outofband_switch, outofband(0x03, 0xFFFFFFFF),
             outofband_result("-1") +
                 "   <old-state status=\"home\"/>\n   <new-state status=\"home\"/>\n");
  expect_underflow("carrier missing", outofband_switch, Form::xml, outofband(0x11, 1),
                   outofband_result("1") + "   <old-state status=\"switched\"");
}

TEST_F(SatelliteSwitch, ReadsEverythingBeforeWriting) {
  Payload no_new_moniker = transition(u"Sat-A", u"a", u"Sat-B", u"b");
  no_new_moniker.pop_back();
  expect_underflow("new moniker cut", satellite_switch, Form::xml, no_new_moniker, "");
}

}  // namespace
}  // namespace test
