// veduvedad list and render, run as a user runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;

constexpr const char* inband_switch = "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}";
// An in-band switch from home to 2.048Mbps at 14.25GHz over 1.5MHz, scheduled.
constexpr const char* switch_payload = "1021 00401F00 80BE5D5103000000 60E31600";
constexpr const char* switch_sentence =
    "A scheduled switch successfully switched the site from home to 2.048Mbps, consuming 1.5MHz of "
    "bandwidth from the dynamic pool.\n";

TEST(HostList, TableAndJsonHoldTheThirtyRowsInOrder) {
  Outcome table = run_host({{"list"}});
  EXPECT_THAT(table.out, HasSubstr(std::string("  9  ") + inband_switch + "  InBand Switch\n"));
  EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 31);  // heading and 30 rows

  nlohmann::json rows = nlohmann::json::parse(run_host({{"list", "--json"}}).out);
  ASSERT_EQ(rows.size(), 30u);
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]["row"], i);
  EXPECT_EQ(rows[9]["type"], inband_switch);
}

TEST(HostRender, EveryEventFormPayloadSourceAndPluginPathServe) {
  const std::string bytes("\x10\x21\x00\x40\x1F\x00\x80\xBE\x5D\x51\x03\x00\x00\x00\x60\xE3\x16\x00", 18);
  std::string file = write_temporary_file("switch.bin", bytes);
  for (const Invocation& invocation : {
           Invocation{{"render", "9", "--text", "--hex", "10210040 1f0080be5d5103000000 60e31600"}},
           Invocation{{"render", inband_switch, "--text", "--file", file}},
           Invocation{{"render", "19b16a25-7d9e-4683-9b99-ed3eac3190a3", "--text"}, bytes},
           Invocation{{"render", "  inband switch ", "--text", "--hex", switch_payload}},
           Invocation{{"render", "9", "--text", "--hex", "-"}, std::string(switch_payload) + "\n"},
           Invocation{{"--plugin", VED_PLUGIN_PATH_FOR_HOST, "render", "InBand Switch", "--text", "--hex",
                       switch_payload}},
       }) {
    Outcome run = run_host(invocation);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, switch_sentence) << invocation.arguments[1];
  }
}

TEST(HostRender, RawStandardInputThatLooksLikeHexadecimalIsReadAsBytesWithAWarning) {
  const std::string warning =
      "veduvedad: standard input looks like hexadecimal text but was read as raw bytes; to read it as "
      "hexadecimal, give --hex -\n";
  for (const auto& [arguments, input, warned] : std::vector<std::tuple<std::vector<std::string>, std::string, bool>>{
           {{"render", "9", "--text"}, "1021 00401F00\n", true},
           {{"render", "9", "--text", "--file", "-"}, "0100", true},
           {{"render", "9", "--text"}, std::string("\x01\x00", 2), false},
           {{"render", "9", "--text"}, "10 xx", false},
           {{"render", "9", "--text", "--hex", "-"}, "0100", false},
       }) {
    Outcome run = run_host({arguments, input});
    EXPECT_EQ(run.err.starts_with(warning), warned) << input << run.err;
  }
}

TEST(HostRender, AmbiguousGuidsAndNamesListTheirCandidates) {
  for (const auto& [event, candidates] : std::vector<std::pair<const char*, const char*>>{
           {"{A03758A6-2081-45F5-A5D1-2E56101CEA78}",
            "\n  6  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0"
            "\n 11  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0\n"},
           {"InBand Reservations Changed",
            "\n 13  {2D0FD8BA-1FB6-4AE0-8C49-D2494FD3157A}  InBand Reservations Changed"
            "\n 15  {D757A97F-0E5D-4D22-922D-89ED4B877BE0}  InBand Reservations Changed"},
       }) {
    Outcome run = run_host({{"render", event, "--hex", "00"}});
    EXPECT_EQ(run.status, 2) << event;
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr(std::string("is ambiguous; give one of these row numbers:") + candidates));
  }
}

// An underflow of both parts, each leaving partial output, is the README's example.
TEST(HostRender, FailuresShowTheirHresultDescriptionAndUncolouredPartialOutput) {
  for (const auto& [arguments, out, errors] :
       std::vector<std::tuple<std::vector<std::string>, std::string, std::string>>{
           // A device moniker with a control character is refused, with no error information.
           {{"render", "12", "--xml", "--hex", "0100 0100 0000"},
            "",
            "veduvedad: the XML of row 12 (InBand Modcods Changed) failed: 0x800401E4 MK_E_SYNTAX (no error "
            "description)\n"},
           // A fixed buffer with space for the opening phrase only: that much stays, without colour.
           {{"render", "23", "--text", "--hex", "000C774203000000 005D9C4403000000", "--buffer", "34",
             "--color=always"},
            "Space segment exclusion created: \n",
            "veduvedad: the text of row 23 (Space Segment Exclusion Created) failed: 0x80020009 "
            "DISP_E_EXCEPTION: an overflow occured (partial text written)\n"},
       }) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, errors);
  }
}

}  // namespace
}  // namespace host_test
