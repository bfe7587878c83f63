// The command line: usage and input errors (a message starting "veduvedad:" on standard error and
// exit status 2), help, the version, and output that cannot be written.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

constexpr const char* switch_payload = "1021 00401F00 80BE5D5103000000 60E31600";

TEST(HostUsage, BadCommandLinesUnknownOrAmbiguousEventsAndUnreadableInputExitWithTwo) {
  const std::string directory = ::testing::TempDir();
  for (const auto& [arguments, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, "a command is required (see: veduvedad help)"},
           {{"rendr", "9"}, "unknown command 'rendr'; did you mean 'render'?"},
           {{"frobnicate"}, "unknown command 'frobnicate'; the commands are list, render, explain, samples, batch"},
           {{"help", "lst"}, "unknown command 'lst'; did you mean 'list'?"},
           {{"--bogus"}, "unknown option '--bogus' (see: veduvedad help)"},
           {{"render", "9", "--colour=never", "--hex", "00"}, "unknown option '--colour'; did you mean '--color'?"},
           {{"render", "9", "--hex", "00", "extra"}, "unexpected argument 'extra' (see: veduvedad help render)"},
           {{"render", "9", "--color=sometimes"}, "--color: sometimes not in {auto,always,never}"},
           {{"render", "InBand Swich", "--hex", "00"}, "no event matches 'InBand Swich'; did you mean 'InBand Switch'?"},
           {{"render", "30", "--hex", "00"}, "no event matches '30'"},
           {{"render", "{A03758A6-2081-45F5-A5D1-2E56101CEA78}", "--hex", "00"},
            "'{A03758A6-2081-45F5-A5D1-2E56101CEA78}' is ambiguous; give one of these row numbers:"
            "\n  6  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0"
            "\n 11  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0\n"},
           {{"render", "9", "--hex", "10 2"}, "at character 4: a byte needs two digits"},
           {{"render", "9", "--file", directory}, "cannot open " + directory + ": it is a directory"},
           {{"batch", "/nonexistent/log"}, "cannot open /nonexistent/log: No such file or directory"},
           {{"render", "9", "--hex", "00", "--file", "x"}, "excludes"},
       }) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 2) << message;
    EXPECT_EQ(run.out, "") << message;
    EXPECT_THAT(run.err, StartsWith("veduvedad: ")) << message;
    EXPECT_THAT(run.err, HasSubstr(message));
  }
}

TEST(HostUsage, HelpOfEveryCommandEndsWithTheExitStatusesOnce) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"help"}, {"help", "render"}, {"batch", "--help"}, {"register", "--help"},
           {"--help-all"}}) {
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, 0) << arguments.front();
    const std::size_t first = run.out.find("Exit status: 0 when everything rendered");
    EXPECT_NE(first, std::string::npos) << run.out;
    EXPECT_EQ(first, run.out.rfind("Exit status: 0 when everything rendered")) << run.out;
  }
  EXPECT_EQ(run_host({{"help", "render"}}).out, run_host({{"render", "--help"}}).out);
  EXPECT_EQ(run_host({{"help"}}).out, run_host({{"--help"}}).out);
  // The help of all commands, from which the manual page is made, carries each command's notes.
  EXPECT_THAT(run_host({{"--help-all"}}).out, HasSubstr("  Input lines: {\"type\": EVENT"));
}

// --version from a copy of the host in a folder of its own names the plug-in it finds and where,
// even one it cannot load, which fails any other command. That an installed host finds the
// plug-in in its library folder is checked by the package test, after the installation is moved.
TEST(HostUsage, VersionNamesThePluginFoundByOptionThenVariableThenBesideItself) {
  namespace fs = std::filesystem;
  const fs::path prefix = fs::path(::testing::TempDir()) / "veduvedad-installation";
  const fs::path bin = prefix / "bin";
  const fs::path build = fs::path(VED_PLUGIN_PATH_FOR_HOST).parent_path();
  fs::remove_all(prefix);
  fs::create_directories(bin);
  std::error_code not_linked;
  fs::create_hard_link(VED_HOST_PATH, bin / "veduvedad", not_linked);
  if (not_linked) fs::copy_file(VED_HOST_PATH, bin / "veduvedad");
  const std::string library_folder = (bin / VED_LIBRARY_FOLDER).lexically_normal().string();

  struct Case {
    bool beside;  // the plug-in and the runtime it finds in its own folder lie beside the program
    std::vector<std::string> arguments;
    std::vector<std::string> environment;
    std::string line;
  };
  for (const Case& c : std::vector<Case>{
           {true, {}, {"VEDUVEDAD_PLUGIN="},
            (bin / VED_PLUGIN_FILE_NAME).string() + " (beside the program)"},
           {true, {}, {"VEDUVEDAD_PLUGIN=" VED_PLUGIN_PATH_FOR_HOST},
            VED_PLUGIN_PATH_FOR_HOST " (from VEDUVEDAD_PLUGIN)"},
           {false, {"--plugin", VED_PLUGIN_PATH_FOR_HOST}, {"VEDUVEDAD_PLUGIN=/nonexistent/lib.so"},
            VED_PLUGIN_PATH_FOR_HOST " (from --plugin)"},
           {false, {}, {},
            "cannot find the plug-in " VED_PLUGIN_FILE_NAME " beside the program in " + bin.string() +
                " nor in " + library_folder + "; name it with --plugin or VEDUVEDAD_PLUGIN"},
           {false, {"--plugin", "/nonexistent/lib.so"}, {},
            "/nonexistent/lib.so (from --plugin), cannot load the plug-in: "},
       }) {
    SCOPED_TRACE(c.line);
    for (const char* file : {VED_PLUGIN_FILE_NAME, VED_PLATFORM_FILE_NAME}) {
      fs::remove(bin / file);
      if (c.beside) fs::create_symlink(build / file, bin / file);
    }
    auto run = [&](const char* command) {
      Invocation invocation{c.arguments, "", c.environment, OutputSink::file,
                            (bin / "veduvedad").string()};
      invocation.arguments.push_back(command);
      return run_host(invocation);
    };
    Outcome version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.out, MatchesRegex("veduvedad [0-9]+\\.[0-9]+\\.[0-9]+\nplug-in: [^\n]+\n"
                                          "build: [A-Za-z ]+, [A-Za-z]+ [0-9.]+\n"));
    EXPECT_THAT(version.out, HasSubstr("\nplug-in: " + c.line));
    EXPECT_EQ(run("list").status, c.line.find("cannot") == std::string::npos ? 0 : 2);
  }
  fs::remove_all(prefix);
}

TEST(HostUsage, OutputThatCannotBeWrittenIsAnErrorButAClosedPipeIsQuiet) {
  const std::string log = temporary_file("{\"type\": 9, \"payload\": \"0100\"}\n");
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"list"}, {"render", "9", "--hex", switch_payload}, {"samples"}, {"batch", log},
           {"interfaces"}, {"register"}, {"--help"}, {"help", "batch"}, {"--version"}}) {
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
