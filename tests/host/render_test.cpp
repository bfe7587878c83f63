// veduvedad list and render, run as a user runs them. Sentences are in their display colour on a
// terminal unless NO_COLOR is set or TERM is dumb, or as --color says; 24-bit where COLORTERM says
// the terminal has it, else the nearest of 256 colours. The colour of every outcome, and the
// terminal's own foreground for white and for changes, are pinned by the samples' reviewed output.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host_process.hpp"

namespace host_test {
namespace {

constexpr const char* inband_switch = "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}";
// An in-band switch from home to 2.048Mbps at 14.25GHz over 1.5MHz, scheduled: green.
constexpr const char* scheduled = "1021 00401F00 80BE5D5103000000 60E31600";
const std::string scheduled_sentence =
    "A scheduled switch successfully switched the site from home to 2.048Mbps, consuming 1.5MHz of "
    "bandwidth from the dynamic pool.";

// The table's form is the README's example; the rows themselves are the plug-in's, pinned by the
// C viewer.
TEST(HostList, JsonHoldsEachRowsNumberTypeAndName) {
  nlohmann::json rows = nlohmann::json::parse(run_host({{"list", "--json"}}).out);
  EXPECT_EQ(rows.at(9),
            nlohmann::json({{"row", 9}, {"type", inband_switch}, {"name", "InBand Switch"}}));
}

struct RenderCase {
  Invocation invocation;
  int status;
  std::string out;
  std::string err = {};
  bool on_terminal = false;
};

// The scheduled switch's sentence on a terminal, as the environment and --color have it shown.
RenderCase on_terminal(std::vector<std::string> environment, const std::string& shown,
                       const char* colour = "--color=auto") {
  return {{{"render", "9", "--text", "--hex", scheduled, colour}, "", std::move(environment)}, 0,
          shown + "\r\n", "", true};
}

std::string in(const char* colour) {
  return "\x1b[" + std::string(colour) + "m" + scheduled_sentence + "\x1b[0m";
}

// An underflow of both parts, each leaving partial output, is the README's example.
TEST(HostRender, EventFormsPayloadSourcesFailuresAndColoursShowAsTheyShould) {
  const std::string bytes("\x10\x21\x00\x40\x1F\x00\x80\xBE\x5D\x51\x03\x00\x00\x00\x60\xE3\x16\x00", 18);
  const std::string file = temporary_file(bytes);
  const std::string line = scheduled_sentence + "\n";
  for (const RenderCase& c : std::vector<RenderCase>{
           {{{"render", "9", "--text", "--hex", "10210040 1f0080be5d5103000000 60e31600"}},
            0,
            line},
           {{{"render", inband_switch, "--text", "--file", file}}, 0, line},
           {{{"render", "19b16a25-7d9e-4683-9b99-ed3eac3190a3", "--text"}, bytes}, 0, line},
           {{{"render", "  inband switch ", "--text", "--hex", scheduled}}, 0, line},
           {{{"render", "9", "--text", "--hex", "-"}, std::string(scheduled) + "\n"}, 0, line},
           // A device moniker with a control character is refused, with no error information.
           {{{"render", "12", "--xml", "--hex", "0100 0100 0000"}},
            1,
            "",
            "veduvedad: the XML of row 12 (InBand Modcods Changed) failed: 0x800401E4 "
            "MK_E_SYNTAX (no error description)\n"},
           // A fixed buffer with room for the opening phrase only: that much stays, uncoloured.
           {{{"render", "23", "--text", "--hex", "000C774203000000 005D9C4403000000", "--buffer",
              "34", "--color=always"}},
            1,
            "Space segment exclusion created: \n",
            "veduvedad: the text of row 23 (Space Segment Exclusion Created) failed: 0x80020009 "
            "DISP_E_EXCEPTION: an overflow occured (partial text written)\n"},
           // Off a terminal, colour only when asked, whatever the environment says.
           {{{"render", "9", "--text", "--hex", scheduled, "--color=always"},
             "",
             {"NO_COLOR=1", "TERM=dumb"}},
            0,
            in("38;5;46") + "\n"},
           on_terminal({}, in("38;5;46")),
           // "truecolor" is the reviewed samples' own.
           on_terminal({"COLORTERM=24bit"}, in("38;2;0;255;0")),
           on_terminal({"TERM=dumb"}, scheduled_sentence),
           on_terminal({"NO_COLOR=1"}, scheduled_sentence),
           // An empty NO_COLOR is as good as unset.
           on_terminal({"NO_COLOR="}, in("38;5;46")),
           on_terminal({}, scheduled_sentence, "--color=never"),
       }) {
    SCOPED_TRACE(::testing::PrintToString(c.invocation.arguments) +
                 ::testing::PrintToString(c.invocation.environment));
    Outcome run = c.on_terminal ? run_host_on_terminal(c.invocation) : run_host(c.invocation);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(HostRender, RawStandardInputThatLooksLikeHexadecimalIsReadAsBytesWithAWarning) {
  const std::string warning =
      "veduvedad: standard input looks like hexadecimal text but was read as raw bytes; to read it as "
      "hexadecimal, give --hex -\n";
  for (const auto& [arguments, input, warned] : std::vector<std::tuple<std::vector<std::string>, std::string, bool>>{
           {{"render", "9", "--text"}, "1021 00401F00\n", true},
           {{"render", "9", "--text", "--file", "-"}, "0100", true},
           {{"render", "9", "--text"}, "10 xx", false},
           {{"render", "9", "--text", "--hex", "-"}, "0100", false},
       }) {
    Outcome run = run_host({arguments, input});
    EXPECT_EQ(run.err.starts_with(warning), warned) << input << run.err;
  }
}

}  // namespace
}  // namespace host_test
