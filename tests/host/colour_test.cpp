// Sentences in their display colour on a terminal unless NO_COLOR is set, or as --color says.
// The colour of every outcome is pinned by the samples' reviewed output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(HostColour, ModeTerminalAndEnvironmentDecide) {
  // Where the output goes, --color, the environment, and whether the sentence is coloured.
  for (const auto& [on_terminal, colour, environment, coloured] :
       std::vector<std::tuple<bool, const char*, std::vector<std::string>, bool>>{
           {false, "--color=auto", {}, false},
           {false, "--color=always", {"NO_COLOR=1"}, true},
           {true, "--color=auto", {}, true},
           {true, "--color=auto", {"NO_COLOR=1"}, false},
           {true, "--color=auto", {"NO_COLOR="}, true},  // empty counts as unset
           {true, "--color=never", {}, false},
       }) {
    SCOPED_TRACE(std::string(on_terminal ? "terminal " : "file ") + colour +
                 ::testing::PrintToString(environment));
    Invocation invocation{
        {"render", "9", "--text", "--hex", "1021 00401F00 80BE5D5103000000 60E31600", colour}, "", environment};
    Outcome run = on_terminal ? run_host_on_terminal(invocation) : run_host(invocation);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    if (coloured) {
      EXPECT_THAT(run.out, HasSubstr("\x1b[38;2;0;255;0mA scheduled switch successfully"));
    } else {
      EXPECT_THAT(run.out, Not(HasSubstr("\x1b")));
    }
  }
}

}  // namespace
}  // namespace host_test
