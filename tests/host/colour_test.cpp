// Sentences in their display colour: 24-bit terminal colour from the COLORREF, on a terminal
// unless NO_COLOR is set, or as --color says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* green = "\x1b[38;2;0;255;0m";
constexpr const char* reset = "\x1b[0m";

std::vector<std::string> render_switch(std::vector<std::string> extra) {
  std::vector<std::string> arguments{"render", "InBand Switch", "--hex", "1021 00401F00 80BE5D5103000000 60E31600"};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  return arguments;
}

TEST(HostColour, ModeAndEnvironmentDecide) {
  struct Case {
    const char* what;
    bool on_terminal;
    std::vector<std::string> options;
    std::vector<std::string> environment;
    bool coloured;
  };
  for (const Case& c : {
           Case{"auto, into a file", false, {}, {}, false},
           Case{"always, into a file", false, {"--color=always"}, {}, true},
           Case{"always beats NO_COLOR", false, {"--color", "always"}, {"NO_COLOR=1"}, true},
           Case{"auto on a terminal", true, {}, {}, true},
           Case{"auto on a terminal with NO_COLOR", true, {}, {"NO_COLOR=1"}, false},
           Case{"an empty NO_COLOR counts as unset", true, {}, {"NO_COLOR="}, true},
           Case{"never on a terminal", true, {"--color=never"}, {}, false},
       }) {
    SCOPED_TRACE(c.what);
    Invocation invocation{render_switch(c.options), "", c.environment};
    Outcome run = c.on_terminal ? run_host_on_terminal(invocation) : run_host(invocation);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    if (c.coloured) {
      EXPECT_THAT(run.out, HasSubstr(std::string(green) + "A scheduled switch successfully"));
      EXPECT_THAT(run.out, HasSubstr(std::string("dynamic pool.") + reset));
    } else {
      EXPECT_THAT(run.out, Not(HasSubstr("\x1b")));
    }
  }
}

TEST(HostColour, EachOutcomeHasItsColourAndTheXmlNone) {
  struct Case {
    const char* event;
    const char* payload;
    const char* colour;
  };
  for (const Case& c : {
           Case{"9", "0100", "\x1b[38;2;255;255;255m"},                               // no operation
           Case{"9", "0903 05400080 0000", "\x1b[38;2;255;0;0m"},                     // failed switch
           Case{"9", "1021 00401F00 80BE5D5103000000 60E31600", green},             // succeeded
           Case{"5", "00", "\x1b[38;2;128;255;255m"},                                // changed properties
           Case{"19", "0000", "\x1b[38;2;255;0;0m"},                                 // entered recovery
       }) {
    Outcome run = run_host({{"render", c.event, "--hex", c.payload, "--color=always"}});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind(c.colour, 0), 0u) << c.event << " " << c.payload << ": " << run.out;
    std::size_t reset_at = run.out.find(reset);
    ASSERT_NE(reset_at, std::string::npos);
    EXPECT_EQ(run.out.find('\x1b', reset_at + 1), std::string::npos) << "the XML is not coloured";
  }
}

TEST(HostColour, APartialSentenceHasNoColour) {
  Outcome run = run_host({{"render", "23", "--text", "--hex", "000C774203000000", "--color=always"}});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Space segment exclusion created: 14GHz\n");
}

}  // namespace
}  // namespace host_test
