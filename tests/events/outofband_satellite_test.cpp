#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "event_cases.hpp"
#include "plugin/eventui.h"
#include "support/payload_builder.hpp"

namespace test {
namespace {

constexpr int satellite_switch = 17;
constexpr int outofband_switch = 18;

std::vector<std::uint8_t> outofband(std::uint8_t flags, std::uint32_t result,
                                    int carriers = 0) {
  PayloadBuilder p;
  p.u8(flags).u32(result);
  for (int i = 0; i < carriers; ++i) p.i32(64000).u64(1000).i32(25000);
  return p;
}

std::vector<std::uint8_t> transition(std::u16string_view old_name, std::u16string_view old_moniker,
                                     std::u16string_view new_name, std::u16string_view new_moniker,
                                     std::int32_t status = 0) {
  PayloadBuilder p;
  p.i32(status).wstring(old_name).wstring(old_moniker).wstring(new_name).wstring(new_moniker);
  return p;
}

std::vector<std::uint8_t> transition_failed(std::int32_t status, std::string_view description) {
  PayloadBuilder p;
  p.i32(status).string(description);
  return p;
}

const std::string small_state_lines =
    "     <data-rate>64Kbps</data-rate>\n"
    "     <frequency>1KHz</frequency>\n"
    "     <bandwidth>25KHz</bandwidth>\n";

std::string outofband_result(std::string_view code, std::string_view name) {
  return "   <result>\n     <code>" + std::string(code) + "</code>\n     <description>" +
         std::string(name) + "</description>\n   </result>\n";
}

using OutOfBandSwitch = EventRendering;
using SatelliteSwitch = EventRendering;

TEST_F(OutOfBandSwitch, SentenceFollowsTheResultBeforeTheFlags) {
  const std::string unsuccessful = "An out-of-band switch completed unsuccessfully, reporting: ";
  check_all({
      text_ok("no operation", outofband_switch, outofband(0x00, 1),
              "An out-of-band switch resulted in no operation being performed.", colour::white),
      // The text never reads the carriers the flags announce.
      text_ok("success", outofband_switch, outofband(0x31, 1),
              "An out-of-band switch completed successfully.", colour::green),
      text_ok("unknown", outofband_switch, outofband(0x01, 0), unsuccessful + "unknown.",
              colour::red),
      text_ok("reverted", outofband_switch, outofband(0x01, 2), unsuccessful + "reverted.",
              colour::red),
      text_ok("recoverable", outofband_switch, outofband(0x00, 3), unsuccessful + "recoverable.",
              colour::red),
      text_ok("failure", outofband_switch, outofband(0x31, 4), unsuccessful + "failure.",
              colour::red),
      text_ok("beyond the named results", outofband_switch, outofband(0x01, 7),
              unsuccessful + "success.", colour::red),
  });
}

TEST_F(OutOfBandSwitch, DocumentShowsResultThenStatesOrDisposition) {
  check_all({
      xml_ok("no operation", outofband_switch, outofband(0x00, 1),
             outofband_result("1", "success") +
                 "   <disposition>no switch required</disposition>\n"),
      xml_ok("failure still lists both carriers", outofband_switch, outofband(0x31, 4, 2),
             outofband_result("4", "failure") + "   <old-state status=\"switched\">\n" +
                 small_state_lines + "   </old-state>\n   <new-state status=\"switched\">\n" +
                 small_state_lines + "   </new-state>\n"),
      xml_ok("code with the top bit set", outofband_switch, outofband(0x03, 0xFFFFFFFF),
             outofband_result("-1", "success") +
                 "   <old-state status=\"home\"/>\n   <new-state status=\"home\"/>\n"),
      xml_ok("beyond the named results", outofband_switch, outofband(0x00, 7),
             outofband_result("7", "success") +
                 "   <disposition>no switch required</disposition>\n"),
  });
}

TEST_F(OutOfBandSwitch, ShortPayloadFailsOnlyTheDocumentThatReadsTheCarriers) {
  check_all({
      underflow("empty", outofband_switch, Output::xml, {}, ""),
      underflow("short result", outofband_switch, Output::text, {0x01, 1, 0, 0}, ""),
      text_ok("carrier missing", outofband_switch, outofband(0x11, 1),
              "An out-of-band switch completed successfully.", colour::green),
      underflow("carrier missing", outofband_switch, Output::xml, outofband(0x11, 1),
                outofband_result("1", "success") + "   <old-state status=\"switched\""),
  });
}

TEST_F(SatelliteSwitch, TransitionIsWrittenOnOneLine) {
  check_all({
      xml_ok("names and monikers", satellite_switch,
             transition(u"Sat-A", u"sat://a", u"Sat-\u00C9", u"sat://\u00E9"),
             "   <status code=\"0\"/>"
             "<old-satellite moniker=\"sat://a\">Sat-A</old-satellite>"
             "<new-satellite moniker=\"sat://\u00E9\">Sat-\u00C9</new-satellite>"),
      xml_ok("empty strings", satellite_switch, transition(u"", u"", u"", u""),
             "   <status code=\"0\"/><old-satellite moniker=\"\"></old-satellite>"
             "<new-satellite moniker=\"\"></new-satellite>"),
      xml_ok("positive status", satellite_switch, transition(u"A", u"a", u"B", u"b", 255),
             "   <status code=\"FF\"/><old-satellite moniker=\"a\">A</old-satellite>"
             "<new-satellite moniker=\"b\">B</new-satellite>"),
      xml_ok("failed", satellite_switch, transition_failed(-1, "lost lock"),
             "   <status code=\"FFFFFFFF\">lost lock</status>"),
      xml_ok("failed without description", satellite_switch,
             transition_failed(static_cast<std::int32_t>(0x80004005), ""),
             "   <status code=\"80004005\"></status>"),
      text_ok("names", satellite_switch, transition(u"Sat-A", u"sat://a", u"Sat-B", u"sat://b"),
              "Remote transitioned from satellite 'Sat-A' to 'Sat-B'.", colour::green),
      text_ok("empty names", satellite_switch, transition(u"", u"", u"", u""),
              "Remote transitioned from satellite '' to ''.", colour::green),
      text_ok("failed", satellite_switch, transition_failed(-1, "lost lock"),
              "Remote failed a satellite transition, reported error was: (FFFFFFFF) lost lock",
              colour::red),
  });
}

TEST_F(SatelliteSwitch, ReadsEverythingBeforeWriting) {
  std::vector<std::uint8_t> no_new_moniker = transition(u"Sat-A", u"a", u"Sat-B", u"b");
  no_new_moniker.resize(no_new_moniker.size() - 1);
  const std::string opening = "Remote transitioned from satellite '";
  check_all({
      underflow("new moniker cut", satellite_switch, Output::xml, no_new_moniker, ""),
      underflow("new moniker cut", satellite_switch, Output::text, no_new_moniker, ""),
      underflow("description cut", satellite_switch, Output::text, {0xFF, 0xFF, 0xFF, 0xFF, 3, 0},
                ""),
      overflow("old name does not fit", satellite_switch, Output::text,
               transition(u"Sat-A", u"a", u"Sat-B", u"b"),
               static_cast<std::uint32_t>(opening.size()) + 3, opening),
  });
}

}  // namespace
}  // namespace test
