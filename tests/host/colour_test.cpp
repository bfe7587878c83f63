// Sentences in their display colour on a terminal unless NO_COLOR is set or TERM is dumb, or as
// --color says; 24-bit where COLORTERM says the terminal has it, else the nearest of 256 colours.
// The colour of every outcome, and the terminal's own foreground for white and for changes, are
// pinned by the samples' reviewed output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_process.hpp"

namespace host_test {
namespace {

constexpr const char* green_sentence = "1021 00401F00 80BE5D5103000000 60E31600";  // a successful switch
constexpr const char* red_sentence =  // a failed switch
    "09230540008025006E6F2062616E647769647468206C65667420696E207468652064796E616D696320706F6F6C00401F0080BE5D51"
    "0300000060E31600";

TEST(HostColour, ModeTerminalAndEnvironmentDecide) {
  // Where the output goes, --color, the environment, the payload, and how the sentence starts.
  for (const auto& [on_terminal, colour, environment, payload, start] :
       std::vector<std::tuple<bool, const char*, std::vector<std::string>, const char*, std::string>>{
           {false, "--color=auto", {}, green_sentence, "A scheduled"},
           {false, "--color=always", {"NO_COLOR=1", "TERM=dumb"}, green_sentence, "\x1b[38;5;46mA scheduled"},
           {true, "--color=auto", {}, green_sentence, "\x1b[38;5;46mA scheduled"},
           {true, "--color=auto", {"COLORTERM=truecolor"}, green_sentence, "\x1b[38;2;0;255;0mA scheduled"},
           {true, "--color=auto", {"COLORTERM=24bit"}, red_sentence, "\x1b[38;2;255;0;0mAn automatic"},
           {true, "--color=auto", {"COLORTERM=yes"}, red_sentence, "\x1b[38;5;196mAn automatic"},
           {true, "--color=auto", {"TERM=dumb"}, green_sentence, "A scheduled"},
           {true, "--color=auto", {"NO_COLOR=1"}, green_sentence, "A scheduled"},
           {true, "--color=auto", {"NO_COLOR="}, green_sentence, "\x1b[38;5;46mA scheduled"},  // empty: unset
           {true, "--color=never", {}, green_sentence, "A scheduled"},
       }) {
    SCOPED_TRACE(std::string(on_terminal ? "terminal " : "file ") + colour + " " + payload +
                 ::testing::PrintToString(environment));
    Invocation invocation{{"render", "9", "--text", "--hex", payload, colour}, "", environment};
    Outcome run = on_terminal ? run_host_on_terminal(invocation) : run_host(invocation);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(run.out.starts_with(start)) << run.out;
    EXPECT_EQ(run.out.find('\x1b') == std::string::npos, start.front() != '\x1b') << run.out;
  }
}

}  // namespace
}  // namespace host_test
