// veduvedad samples against the reviewed expected output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(HostSamples, MatchTheReviewedOutput) {
  const std::string expected = read_file(VED_SAMPLES_EXPECTED);
  ASSERT_FALSE(expected.empty()) << "missing " << VED_SAMPLES_EXPECTED;
  Outcome run = run_host({{"samples", "--color=always"}, "", {"COLORTERM=truecolor"}});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  // Where they part, rather than both texts in full.
  std::size_t from = static_cast<std::size_t>(
      std::mismatch(expected.begin(), expected.end(), run.out.begin(), run.out.end()).first - expected.begin());
  from = std::min(expected.rfind('\n', from == 0 ? 0 : from - 1) + 1, run.out.size());
  EXPECT_TRUE(run.out == expected) << "expected:\n"
                                   << expected.substr(from, 300) << "\nactual:\n" << run.out.substr(from, 300);
}

TEST(HostSamples, AnEventSelectsEveryRowItNames) {
  Outcome run = run_host({{"samples", "InBand Reservations Changed", "--color=never"}});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("== 13 InBand Reservations Changed: ", 0), 0u);
  EXPECT_THAT(run.out, HasSubstr("\n== 15 InBand Reservations Changed: "));
  EXPECT_THAT(run.out, Not(HasSubstr("== 14 ")));
}

}  // namespace
}  // namespace host_test
