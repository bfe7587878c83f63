// veduvedad samples against the reviewed expected output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string read_expected() {
  std::ifstream in(VED_SAMPLES_EXPECTED, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// The first line where the two texts part, for a readable failure.
std::string first_difference(const std::string& expected, const std::string& actual) {
  std::istringstream e(expected), a(actual);
  std::string expected_line, actual_line;
  for (int line = 1;; ++line) {
    bool more_expected = static_cast<bool>(std::getline(e, expected_line));
    bool more_actual = static_cast<bool>(std::getline(a, actual_line));
    if (!more_expected && !more_actual) return "no difference by lines";
    if (expected_line != actual_line || more_expected != more_actual)
      return "line " + std::to_string(line) + "\n  expected: " + expected_line + "\n  actual:   " + actual_line;
  }
}

TEST(HostSamples, MatchTheReviewedOutput) {
  std::string expected = read_expected();
  ASSERT_FALSE(expected.empty()) << "missing " << VED_SAMPLES_EXPECTED;
  Outcome run = run_host({{"samples", "--color=always"}});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out == expected) << first_difference(expected, run.out);
}

TEST(HostSamples, CoverEveryRow) {
  Outcome run = run_host({{"samples", "--color=never"}});
  for (int row = 0; row < 30; ++row)
    EXPECT_THAT(run.out, HasSubstr("\n== " + std::to_string(row) + " ")) << "row " << row;
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
