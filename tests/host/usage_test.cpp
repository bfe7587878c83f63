// Usage and input errors: a message on standard error and exit status 2.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;

TEST(HostUsage, BadCommandLinesUnknownEventsAndUnreadableInputExitWithTwo) {
  for (const auto& [arguments, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, ""},
           {{"batch", "--jobs", "0"}, ""},
           {{"render", "9", "--color=sometimes"}, ""},
           {{"render", "Nothing Like It", "--hex", "00"}, "no event matches 'Nothing Like It'"},
           {{"render", "30", "--hex", "00"}, "no event matches '30'"},
           {{"render", "9", "--hex", "1G"}, "at character 2: not a hexadecimal digit 'G'"},
           {{"render", "9", "--hex", "10 2"}, "at character 4: a byte needs two digits"},
           {{"render", "9", "--file", "/nonexistent/payload"}, "cannot open /nonexistent/payload"},
           {{"render", "9", "--hex", "00", "--file", "x"}, "excludes"},
           {{"render", "9", "--hex", "00", "--plugin", "/nonexistent/lib.so"}, "cannot load the plug-in"},
       }) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 2) << message;
    EXPECT_FALSE(run.err.empty());
    EXPECT_THAT(run.err, HasSubstr(message));
  }
}

}  // namespace
}  // namespace host_test
