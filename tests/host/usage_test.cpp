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
           {{"samples", "inband reservation changd"},
            "no event matches 'inband reservation changd'; did you mean 'InBand Reservations Changed'?"},
           {{"render", "Nothing Like It", "--hex", "00"}, "no event matches 'Nothing Like It' (try: veduvedad list)"},
           {{"render", "30", "--hex", "00"}, "no event matches '30'"},
           {{"render", "{A03758A6-2081-45F5-A5D1-2E56101CEA78}", "--hex", "00"},
            "'{A03758A6-2081-45F5-A5D1-2E56101CEA78}' is ambiguous; give one of these row numbers:"
            "\n  6  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0"
            "\n 11  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0\n"},
           {{"render", "InBand Reservations Changed", "--hex", "00"},
            "is ambiguous; give one of these row numbers:"
            "\n 13  {2D0FD8BA-1FB6-4AE0-8C49-D2494FD3157A}  InBand Reservations Changed"
            "\n 15  {D757A97F-0E5D-4D22-922D-89ED4B877BE0}  InBand Reservations Changed"},
           {{"render", "9", "--hex", "1G"}, "at character 2: not a hexadecimal digit 'G'"},
           {{"render", "9", "--hex", "10 2"}, "at character 4: a byte needs two digits"},
           {{"render", "9", "--file", "/nonexistent/payload"},
            "cannot open /nonexistent/payload: No such file or directory"},
           {{"render", "9", "--file", directory}, "cannot open " + directory + ": it is a directory"},
           {{"batch", "/nonexistent/log"}, "cannot open /nonexistent/log: No such file or directory"},
           {{"render", "9", "--hex", "00", "--file", "x"}, "excludes"},
           {{"render", "9", "--hex", "00", "--plugin", "/nonexistent/lib.so"}, "cannot load the plug-in"},
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
           {"--help"}, {"help"}, {"help", "render"}, {"render", "--help"}, {"batch", "--help"},
           {"interfaces", "--help"}, {"register", "--help"}, {"unregister", "--help"}, {"--help-all"}}) {
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

// --version from a copy of the host in an installation's layout: PREFIX/bin, with the installed
// library folder (PREFIX/lib or as configured) standing for this build's. It names the plug-in it
// finds and where, even one it cannot load, which fails any other command.
TEST(HostUsage, VersionNamesThePluginFoundByOptionThenVariableThenBesideItselfThenInLibraryFolder) {
  namespace fs = std::filesystem;
  const fs::path prefix = fs::path(::testing::TempDir()) / "veduvedad-installation";
  const fs::path bin = prefix / "bin";
  const fs::path library_folder = (bin / VED_LIBRARY_FOLDER).lexically_normal();
  const fs::path build = fs::path(VED_PLUGIN_PATH_FOR_HOST).parent_path();
  fs::remove_all(prefix);
  fs::create_directories(bin);
  fs::create_directories(library_folder.parent_path());
  std::error_code not_linked;
  fs::create_hard_link(VED_HOST_PATH, bin / "veduvedad", not_linked);
  if (not_linked) fs::copy_file(VED_HOST_PATH, bin / "veduvedad");
  const std::string beside = (bin / VED_PLUGIN_FILE_NAME).string();
  const std::string installed = (library_folder / VED_PLUGIN_FILE_NAME).string();

  enum Layout { installed_only, beside_too, neither };
  struct Case {
    Layout layout;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;
    std::string line;
  };
  for (const Case& c : std::vector<Case>{
           {installed_only, {}, {}, installed + " (in the library folder)"},
           {installed_only, {}, {"VEDUVEDAD_PLUGIN="}, installed + " (in the library folder)"},
           {beside_too, {}, {}, beside + " (beside the program)"},
           {beside_too, {}, {"VEDUVEDAD_PLUGIN=" VED_PLUGIN_PATH_FOR_HOST},
            VED_PLUGIN_PATH_FOR_HOST " (from VEDUVEDAD_PLUGIN)"},
           {neither, {"--plugin", VED_PLUGIN_PATH_FOR_HOST}, {"VEDUVEDAD_PLUGIN=/nonexistent/lib.so"},
            VED_PLUGIN_PATH_FOR_HOST " (from --plugin)"},
           {neither, {}, {},
            "cannot find the plug-in " VED_PLUGIN_FILE_NAME " beside the program in " + bin.string() +
                " nor in " + library_folder.string() + "; name it with --plugin or VEDUVEDAD_PLUGIN"},
           {neither, {"--plugin", "/nonexistent/lib.so"}, {},
            "/nonexistent/lib.so (from --plugin), cannot load the plug-in: "},
       }) {
    SCOPED_TRACE(c.line);
    fs::remove_all(library_folder);
    for (const char* file : {VED_PLUGIN_FILE_NAME, VED_PLATFORM_FILE_NAME}) fs::remove(bin / file);
    // The plug-in finds its runtime in its own folder.
    if (c.layout == installed_only) fs::create_directory_symlink(build, library_folder);
    if (c.layout == beside_too) {
      fs::create_directory_symlink(build, library_folder);
      for (const char* file : {VED_PLUGIN_FILE_NAME, VED_PLATFORM_FILE_NAME})
        fs::create_symlink(build / file, bin / file);
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
