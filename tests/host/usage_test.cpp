// The command line itself: help on every command and the documented exit statuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;

TEST(HostUsage, EveryCommandHasHelpThatDocumentsTheExitStatuses) {
  for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
           {"--help"}, {"list", "--help"}, {"render", "--help"}, {"samples", "--help"}, {"batch", "--help"},
           {"interfaces", "--help"}, {"register", "--help"}, {"unregister", "--help"}}) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 0) << arguments.front();
    EXPECT_THAT(run.out, HasSubstr("Usage:"));
    EXPECT_THAT(run.out, HasSubstr("Exit status: 0 when everything rendered, 1 when some event failed to "
                                   "render, 2 for usage or input errors"));
  }
}

TEST(HostUsage, CommandLineErrorsExitWithTwo) {
  for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
           {}, {"unknown"}, {"list", "--unknown"}, {"render"}, {"batch", "--jobs", "0"}, {"render", "9", "--color=sometimes"}}) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 2) << (arguments.empty() ? "(nothing)" : arguments.back());
    EXPECT_FALSE(run.err.empty());
  }
}

}  // namespace
}  // namespace host_test
