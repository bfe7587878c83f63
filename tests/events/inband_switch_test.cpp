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

constexpr int inband_switch = 9;
constexpr int inband_switch_v0 = 10;

struct Carrier {
  std::int32_t data_rate;
  std::uint64_t frequency;
  std::int32_t bandwidth;
};

constexpr Carrier wide{2048000, 14250000000, 1500000};      // 2.048Mbps at 14.25GHz, 1.5MHz
constexpr Carrier narrow{512000, 14250000000, 750000};      // 512Kbps at 14.25GHz, 750KHz
constexpr Carrier moved{512000, 14250500000, 750000};       // same rate at 14.2505GHz
constexpr Carrier narrower{512000, 14250000000, 600000};    // same rate and frequency, 600KHz

void append(PayloadBuilder& p, const Carrier& c) {
  p.i32(c.data_rate).u64(c.frequency).i32(c.bandwidth);
}

std::vector<std::uint8_t> performed(std::uint8_t kind, std::uint8_t flags,
                                    std::vector<Carrier> carriers = {}) {
  PayloadBuilder p;
  p.u8(kind).u8(flags);
  for (const Carrier& c : carriers) append(p, c);
  return p;
}

std::vector<std::uint8_t> failed(std::uint8_t kind, std::uint8_t flags, std::uint32_t code,
                                 std::string_view description, std::vector<Carrier> carriers = {}) {
  PayloadBuilder p;
  p.u8(kind).u8(flags).u32(code).string(description);
  for (const Carrier& c : carriers) append(p, c);
  return p;
}

std::vector<std::uint8_t> v0(std::uint8_t kind, std::int32_t result, std::string_view description,
                             bool with_power = true) {
  PayloadBuilder p;
  p.u8(kind).i32(result);
  if (result < 0) p.string(description);
  append(p, wide);
  if (with_power) p.i16(-1234);
  return p;
}

const std::string wide_state_lines =
    "     <data-rate>2.048Mbps</data-rate>\n"
    "     <frequency>14.25GHz</frequency>\n"
    "     <bandwidth>1.5MHz</bandwidth>\n";

using InBandSwitch = EventRendering;

TEST_F(InBandSwitch, SentenceNamesTheKindAndWhatTheSwitchDid) {
  const std::string pool = " of bandwidth from the dynamic pool.";
  check_all({
      text_ok("home to switched", inband_switch, performed(16, 0x21, {wide}),
              "A scheduled switch successfully switched the site from home to 2.048Mbps, consuming "
              "1.5MHz" + pool, colour::green),
      text_ok("home to home", inband_switch, performed(1, 0x01),
              "An internal switch successfully did nothing useful.", colour::green),
      text_ok("switched to home, ignored bits set", inband_switch, performed(2, 0xD5, {wide}),
              "A diagnostic switch successfully switched the site from 2.048Mbps to home.",
              colour::green),
      text_ok("new data rate", inband_switch, performed(8, 0x31, {wide, narrow}),
              "A user application switch successfully changed the site's data rate from 2.048Mbps "
              "to 512Kbps, consuming 750KHz" + pool, colour::green),
      text_ok("new frequency", inband_switch, performed(9, 0x31, {narrow, moved}),
              "An automatic application switch successfully changed the site's frequency.",
              colour::green),
      text_ok("new bandwidth", inband_switch, performed(16, 0x31, {narrow, narrower}),
              "A scheduled switch successfully changed the site's bandwidth.", colour::green),
      text_ok("identical carriers", inband_switch, performed(16, 0x31, {narrow, narrow}),
              "A scheduled switch successfully changed the site's bandwidth.", colour::green),
      // The carriers announced by 0x30 are not read once the switch failed.
      text_ok("failed", inband_switch, failed(16, 0x33, 0x80004005, "no pool left"),
              "A scheduled switch failed with the error: no pool left", colour::red),
      text_ok("failed, empty description", inband_switch, failed(1, 0x03, 0, ""),
              "An internal switch failed with the error: ", colour::red),
  });
}

TEST_F(InBandSwitch, KindsWithoutANameAreUnknownAndAnyEvenFlagsMeanNoOperation) {
  const std::uint8_t unnamed_kinds[] = {0, 3, 7, 10, 15, 17, 200, 255};
  const std::uint8_t no_operation_flags[] = {0x00, 0x32, 0xFE};
  for (std::uint8_t kind : unnamed_kinds) {
    for (std::uint8_t flags : no_operation_flags) {
      check(text_ok("kind " + std::to_string(kind), inband_switch, performed(kind, flags),
                    "An unknown switch resulted in no operation being performed.", colour::white));
    }
  }
  check(xml_ok("no operation", inband_switch, performed(200, 0x32),
               "   <type>unknown</type>\n"
               "   <result status=\"success\"/>\n"
               "   <disposition>no switch required</disposition>\n"));
}

TEST_F(InBandSwitch, DocumentListsResultAndBothStates) {
  check_all({
      xml_ok("failed with the new carrier behind the error", inband_switch,
             failed(9, 0x23, 0xABC, "no pool left", {wide}),
             "   <type>automatic application</type>\n"
             "   <result status=\"failed\">\n"
             "     <code>0x00000ABC</code>\n"
             "     <description>\n"
             "       no pool left\n"
             "     </description>\n"
             "   </result>\n"
             "   <old-state status=\"home\"/>\n"
             "   <new-state status=\"switched\">\n" + wide_state_lines +
             "   </new-state>\n"),
      xml_ok("failed with code 0 and no description", inband_switch, failed(2, 0x03, 0, ""),
             "   <type>diagnostic</type>\n"
             "   <result status=\"failed\">\n"
             "     <code>0x00000000</code>\n"
             "     <description>\n"
             "       \n"
             "     </description>\n"
             "   </result>\n"
             "   <old-state status=\"home\"/>\n"
             "   <new-state status=\"home\"/>\n"),
      xml_ok("switched to home", inband_switch, performed(8, 0x11, {wide}),
             "   <type>user application</type>\n"
             "   <result status=\"success\"/>\n"
             "   <old-state status=\"switched\">\n" + wide_state_lines +
             "   </old-state>\n"
             "   <new-state status=\"home\"/>\n"),
  });
}

TEST_F(InBandSwitch, OlderLayoutShowsTheNewCarrierWhateverTheResult) {
  const std::string new_state = "   <new-state>\n" + wide_state_lines +
                                "     <power>-12.34dBm</power>\n"
                                "   </new-state>";
  check_all({
      xml_ok("failed", inband_switch_v0, v0(16, -1, "timeout"),
             "   <type>scheduled</type>\n"
             "   <result status=\"failed\">\n"
             "    <code>0xFFFFFFFF</code>\n"
             "    <description>\n"
             "      timeout\n"
             "    </description>\n"
             "   </result>\n" + new_state),
      xml_ok("succeeded", inband_switch_v0, v0(1, 7, ""),
             "   <type>internal</type>\n"
             "   <result status=\"success\"/>\n" + new_state),
      text_ok("failed", inband_switch_v0, v0(16, -2147483647 - 1, "timeout"),
              "A scheduled switch failed with the error: timeout", colour::red),
      text_ok("succeeded without the power it does not show", inband_switch_v0,
              v0(2, 0, "", false),
              "A diagnostic switch successfully changed the site's data rate to 2.048Mbps, at "
              "14.25GHz, consuming 1.5MHz of bandwidth from the dynamic pool.",
              colour::green),
  });
}

TEST_F(InBandSwitch, ShortPayloadKeepsTheFieldsBeforeTheMissingOne) {
  std::vector<std::uint8_t> cut_carrier = performed(16, 0x21, {wide});
  cut_carrier.resize(2 + 8);
  std::vector<std::uint8_t> cut_description = failed(16, 0x03, 1, "abcde");
  cut_description.resize(cut_description.size() - 2);
  std::vector<std::uint8_t> v0_cut_description = v0(16, -1, "timeout");
  v0_cut_description.resize(1 + 4 + 2 + 2);
  const std::string type = "   <type>scheduled</type>\n";
  check_all({
      underflow("empty", inband_switch, Output::xml, {}, ""),
      underflow("empty", inband_switch, Output::text, {}, ""),
      underflow("no flags", inband_switch, Output::xml, {16}, type),
      underflow("no flags", inband_switch, Output::text, {16}, ""),
      underflow("short error code", inband_switch, Output::xml, {16, 0x03, 1, 0, 0},
                type + "   <result"),
      underflow("short description", inband_switch, Output::xml, cut_description,
                type + "   <result"),
      underflow("short description", inband_switch, Output::text, cut_description, ""),
      underflow("short carrier", inband_switch, Output::xml, cut_carrier,
                type + "   <result status=\"success\"/>\n   <old-state status=\"home\"/>\n"
                       "   <new-state status=\"switched\""),
      underflow("short carrier", inband_switch, Output::text, cut_carrier, ""),
      underflow("short description", inband_switch_v0, Output::xml, v0_cut_description,
                type + "   <result status=\"failed\">\n    <code>0xFFFFFFFF</code>\n"
                       "    <description>\n"),
      underflow("no power", inband_switch_v0, Output::xml, v0(16, 0, "", false),
                type + "   <result status=\"success\"/>\n   <new-state>\n" + wide_state_lines),
  });
}

TEST_F(InBandSwitch, FullBufferKeepsTheSentenceUpToTheLastWholePiece) {
  const std::string head = "A scheduled switch successfully switched the site from home to ";
  const std::string full = head + "2.048Mbps, consuming 1.5MHz of bandwidth from the dynamic pool.";
  const auto fit = static_cast<std::uint32_t>(full.size()) + 1;
  RenderCase fits = text_ok("exact fit", inband_switch, performed(16, 0x21, {wide}), full,
                            colour::green);
  fits.buffer = fit;
  check_all({
      fits,
      overflow("last piece", inband_switch, Output::text, performed(16, 0x21, {wide}), fit - 1,
               head + "2.048Mbps, consuming 1.5MHz"),
      overflow("kind name", inband_switch, Output::text, performed(16, 0x21, {wide}), 3, "A "),
      overflow("article", inband_switch, Output::text, performed(16, 0x21, {wide}), 2, ""),
  });
}

}  // namespace
}  // namespace test
