// The command line: usage and input errors (a message starting "veduvedad:" on standard error and
// exit status 2), help, the version, and output that cannot be written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <regex>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

constexpr const char* switch_payload = "1021 00401F00 80BE5D5103000000 60E31600";

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size()) ++count;
  return count;
}

TEST(HostUsage, BadCommandLinesUnknownEventsAndUnreadableInputExitWithTwo) {
  const std::string directory = ::testing::TempDir();
  for (const auto& [arguments, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "a command is required (see: veduvedad help)"},
           {{"rendr", "9"}, "unknown command 'rendr'; did you mean 'render'?"},
           {{"sample"}, "unknown command 'sample'; did you mean 'samples'?"},
           {{"frobnicate"}, "unknown command 'frobnicate'; the commands are list, render, samples, batch"},
           {{"help", "lst"}, "unknown command 'lst'; did you mean 'list'?"},
           {{"--bogus"}, "unknown option '--bogus' (see: veduvedad help)"},
           {{"render", "9", "--colour=never", "--hex", "00"}, "unknown option '--colour'; did you mean '--color'?"},
           {{"list", "--josn"}, "unknown option '--josn'; did you mean '--json'?"},
           {{"render", "9", "--hex", "00", "extra"}, "unexpected argument 'extra' (see: veduvedad help render)"},
           {{"render", "9", "--color=sometimes"}, "--color: sometimes not in {auto,always,never}"},
           {{"render", "InBand Swich", "--hex", "00"}, "no event matches 'InBand Swich'; did you mean 'InBand Switch'?"},
           {{"samples", "inband reservation changd"},
            "no event matches 'inband reservation changd'; did you mean 'InBand Reservations Changed'?"},
           {{"render", "Nothing Like It", "--hex", "00"}, "no event matches 'Nothing Like It' (try: veduvedad list)"},
           {{"render", "30", "--hex", "00"}, "no event matches '30'"},
           {{"render", "9", "--hex", "1G"}, "at character 2: not a hexadecimal digit 'G'"},
           {{"render", "9", "--hex", "10 2"}, "at character 4: a byte needs two digits"},
           {{"render", "9", "--file", "/nonexistent/payload"},
            "cannot open /nonexistent/payload: No such file or directory"},
           {{"render", "9", "--file", directory}, "cannot open " + directory + ": it is a directory"},
           {{"batch", "/nonexistent/log"}, "cannot open /nonexistent/log: No such file or directory"},
           {{"batch", directory}, "cannot open " + directory + ": it is a directory"},
           {{"render", "9", "--hex", "00", "--file", "x"}, "excludes"},
           {{"render", "9", "--hex", "00", "--plugin", "/nonexistent/lib.so"}, "cannot load the plug-in"},
       }) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 2) << message;
    EXPECT_THAT(run.err, StartsWith("veduvedad: ")) << message;
    EXPECT_THAT(run.err, HasSubstr(message));
  }
}

TEST(HostUsage, HelpOfEveryCommandEndsWithTheExitStatusesOnce) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--help"}, {"help"}, {"help", "render"}, {"render", "--help"}, {"batch", "--help"},
           {"interfaces", "--help"}, {"register", "--help"}, {"unregister", "--help"}, {"--help-all"}}) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 0) << arguments.front();
    EXPECT_EQ(occurrences(run.out, "Exit status: 0 when everything rendered"), 1u) << run.out;
  }
  EXPECT_EQ(run_host({{"help", "render"}}).out, run_host({{"render", "--help"}}).out);
  EXPECT_EQ(run_host({{"help"}}).out, run_host({{"--help"}}).out);
  // The help of all commands, from which the manual page is made, carries each command's notes.
  EXPECT_THAT(run_host({{"--help-all"}}).out, HasSubstr("  Input lines: {\"type\": EVENT"));
}

TEST(HostUsage, VersionNamesThePluginItLoadsEvenWhenItCannot) {
  Outcome run = run_host({{"--version"}});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.out, MatchesRegex("veduvedad [0-9]+\\.[0-9]+\\.[0-9]+\nplug-in: /[^ ]*/libveduvedader\\.so\n"
                                    "build: [A-Za-z ]+, [A-Za-z]+ [0-9.]+\n"));
  Outcome missing = run_host({{"--version", "--plugin", "/nonexistent/lib.so"}});
  EXPECT_EQ(missing.status, 0);
  EXPECT_THAT(missing.out, HasSubstr("\nplug-in: /nonexistent/lib.so (cannot load the plug-in: "));
}

TEST(HostUsage, OutputThatCannotBeWrittenIsAnErrorButAClosedPipeIsQuiet) {
  const std::string log = write_temporary_file("one-event.jsonl", "{\"type\": 9, \"payload\": \"0100\"}\n");
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"list"}, {"list", "--json"}, {"render", "9", "--hex", switch_payload}, {"samples"},
           {"samples", "--jsonl"}, {"batch", log}, {"interfaces"}, {"register"}, {"unregister"},
           {"--help"}, {"help", "batch"}, {"--version"}}) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    Outcome full = run_host({arguments, "", {}, OutputSink::full_device});
    EXPECT_EQ(full.status, 2);
    EXPECT_THAT(full.err, HasSubstr("veduvedad: write error: No space left on device\n"));

    Outcome signalled = run_host({arguments, "", {}, OutputSink::closed_pipe});
    EXPECT_EQ(signalled.signal, SIGPIPE);
    EXPECT_EQ(signalled.err, "");
    Outcome ignoring = run_host({arguments, "", {}, OutputSink::closed_pipe_ignoring_its_signal});
    EXPECT_EQ(ignoring.status, 0);
    EXPECT_EQ(ignoring.err, "");
  }
}

}  // namespace
}  // namespace host_test
