// veduvedad list and render, run as a user runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr int rendered = 0;
constexpr int some_failed = 1;
constexpr int usage_error = 2;

// An in-band switch from home to 2.048Mbps at 14.25GHz over 1.5MHz, scheduled.
constexpr const char* switch_payload = "1021 00401F00 80BE5D5103000000 60E31600";
constexpr const char* switch_sentence =
    "A scheduled switch successfully switched the site from home to 2.048Mbps, consuming 1.5MHz of "
    "bandwidth from the dynamic pool.\n";
constexpr const char* switch_xml =
    "   <type>scheduled</type>\n"
    "   <result status=\"success\"/>\n"
    "   <old-state status=\"home\"/>\n"
    "   <new-state status=\"switched\">\n"
    "     <data-rate>2.048Mbps</data-rate>\n"
    "     <frequency>14.25GHz</frequency>\n"
    "     <bandwidth>1.5MHz</bandwidth>\n"
    "   </new-state>\n";

TEST(HostList, TableShowsEveryRowWithItsTypeAndName) {
  Outcome run = run_host({{"list"}});
  ASSERT_EQ(run.status, rendered) << run.err;
  EXPECT_THAT(run.out, HasSubstr("  9  {19B16A25-7D9E-4683-9B99-ED3EAC3190A3}  InBand Switch\n"));
  EXPECT_THAT(run.out, HasSubstr(" 27  {89B654D2-A847-43FA-8405-D25D73562AD6}  Device Added To ZARN TakedownFailure List\n"));
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 31);  // heading and 30 rows
}

TEST(HostList, JsonHoldsTheThirtyRowsInTableOrder) {
  Outcome run = run_host({{"list", "--json"}});
  ASSERT_EQ(run.status, rendered) << run.err;
  nlohmann::json rows = nlohmann::json::parse(run.out);
  ASSERT_EQ(rows.size(), 30u);
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]["row"], i);
  EXPECT_EQ(rows[6]["type"], rows[11]["type"]);
  EXPECT_EQ(rows[13]["name"], rows[15]["name"]);
  EXPECT_EQ(rows[29]["name"], "Device Removed From ZARN Takedown Failure List");
}

TEST(HostRender, EveryFormOfEventNamesTheSameRow) {
  for (const char* event : {"9", "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}",
                            "19b16a25-7d9e-4683-9b99-ed3eac3190a3", "InBand Switch", "inband switch"}) {
    SCOPED_TRACE(event);
    Outcome run = run_host({{"render", event, "--hex", switch_payload}});
    EXPECT_EQ(run.status, rendered) << run.err;
    EXPECT_EQ(run.out, std::string(switch_sentence) + switch_xml);
    EXPECT_EQ(run.err, "");
  }
}

TEST(HostRender, TextAndXmlAloneOrTogether) {
  struct Case {
    std::vector<std::string> flags;
    std::string expected;
  };
  for (const Case& c : {Case{{"--text"}, switch_sentence}, Case{{"--xml"}, switch_xml},
                        Case{{"--text", "--xml"}, std::string(switch_sentence) + switch_xml}}) {
    std::vector<std::string> arguments{"render", "9", "--hex", switch_payload};
    arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
    Outcome run = run_host({arguments});
    EXPECT_EQ(run.status, rendered);
    EXPECT_EQ(run.out, c.expected);
  }
}

TEST(HostRender, PayloadFromHexFileOrStandardInput) {
  const std::string bytes("\x10\x21\x00\x40\x1F\x00\x80\xBE\x5D\x51\x03\x00\x00\x00\x60\xE3\x16\x00", 18);
  std::string file = write_temporary_file("switch.bin", bytes);
  for (const Invocation& invocation :
       {Invocation{{"render", "9", "--text", "--hex", "10210040 1f0080be5d5103000000 60e31600"}},
        Invocation{{"render", "9", "--text", "--file", file}},
        Invocation{{"render", "9", "--text"}, bytes}}) {
    Outcome run = run_host(invocation);
    EXPECT_EQ(run.status, rendered) << run.err;
    EXPECT_EQ(run.out, switch_sentence);
  }
}

TEST(HostRender, AmbiguousGuidsAndNamesListTheirCandidates) {
  struct Case {
    const char* event;
    std::vector<const char*> candidates;
  };
  for (const Case& c :
       {Case{"{A03758A6-2081-45F5-A5D1-2E56101CEA78}",
             {"  6  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0",
              " 11  {A03758A6-2081-45F5-A5D1-2E56101CEA78}  Allocation Space Database Event v0"}},
        Case{"Allocation Space Database Event v0", {"\n  6  {A03758A6", "\n 11  {A03758A6"}},
        Case{"InBand Reservations Changed",
             {"\n 13  {2D0FD8BA-1FB6-4AE0-8C49-D2494FD3157A}  InBand Reservations Changed",
              "\n 15  {D757A97F-0E5D-4D22-922D-89ED4B877BE0}  InBand Reservations Changed"}}}) {
    SCOPED_TRACE(c.event);
    Outcome run = run_host({{"render", c.event, "--hex", "00"}});
    EXPECT_EQ(run.status, usage_error);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr("is ambiguous"));
    for (const char* candidate : c.candidates) EXPECT_THAT(run.err, HasSubstr(candidate));
  }
}

TEST(HostRender, ARowNumberSettlesTheAmbiguity) {
  Outcome field_change_set = run_host({{"render", "6", "--text", "--hex", "00"}});
  Outcome tagged_list = run_host({{"render", "11", "--text", "--hex", "00"}});
  EXPECT_EQ(field_change_set.out, "Properties were modified.\n");
  EXPECT_EQ(tagged_list.out, "Changed .\n");
}

TEST(HostRender, UnknownEventsAndBadInputAreUsageErrors) {
  struct Case {
    std::vector<std::string> arguments;
    const char* message;
  };
  for (const Case& c : {
           Case{{"render", "Nothing Like It", "--hex", "00"}, "no event matches 'Nothing Like It'"},
           Case{{"render", "30", "--hex", "00"}, "no event matches '30'"},
           Case{{"render", "9", "--hex", "1G"}, "at character 2: not a hexadecimal digit 'G'"},
           Case{{"render", "9", "--hex", "10 2"}, "at character 4: a byte needs two digits"},
           Case{{"render", "9", "--file", "/nonexistent/payload"}, "cannot open /nonexistent/payload"},
           Case{{"render", "9", "--hex", "00", "--file", "x"}, "excludes"},
           Case{{"render", "9", "--hex", "00", "--buffer", "0"}, "--buffer"},
       }) {
    Outcome run = run_host({c.arguments});
    EXPECT_EQ(run.status, usage_error) << c.message;
    EXPECT_THAT(run.err, HasSubstr(c.message));
  }
}

TEST(HostRender, FailuresShowTheirHresultNameDescriptionAndPartialOutput) {
  struct Case {
    std::vector<std::string> arguments;
    std::string out;
    std::vector<std::string> errors;
  };
  for (const Case& c : {
           // Cut short before the new carrier: the XML holds what came before, the last start
           // tag still open.
           Case{{"render", "9", "--hex", "1021"},
                "   <type>scheduled</type>\n"
                "   <result status=\"success\"/>\n"
                "   <old-state status=\"home\"/>\n"
                "   <new-state status=\"switched\"\n",
                {"the text of row 9 (InBand Switch) failed: 0x80020009 DISP_E_EXCEPTION: an underflow occured\n",
                 "the XML of row 9 (InBand Switch) failed: 0x80020009 DISP_E_EXCEPTION: an underflow occured\n"}},
           // A device moniker with a control character is refused by the parser; the error
           // carries no error information.
           Case{{"render", "12", "--xml", "--hex", "0100 0100 0000"},
                "",
                {"the XML of row 12 (InBand Modcods Changed) failed: 0x800401E4 MK_E_SYNTAX (no error description)\n"}},
           // A fixed buffer too small for the sentence.
           Case{{"render", "0", "--text", "--hex", "", "--buffer", "25"},
                "",
                {"the text of row 0 (InBand State Changed) failed: 0x80020009 DISP_E_EXCEPTION: an overflow occured\n"}},
           // Space for the opening phrase but not for the frequency: that much stays.
           Case{{"render", "23", "--text", "--hex", "000C774203000000 005D9C4403000000", "--buffer", "34"},
                "Space segment exclusion created: \n",
                {"failed: 0x80020009 DISP_E_EXCEPTION: an overflow occured\n"}},
       }) {
    Outcome run = run_host({c.arguments});
    EXPECT_EQ(run.status, some_failed);
    EXPECT_EQ(run.out, c.out);
    for (const std::string& error : c.errors) EXPECT_THAT(run.err, HasSubstr(error));
  }
}

TEST(HostRender, TheBufferGrowsUnlessItsSizeIsFixed) {
  // Row 15 with 60 devices of a 100-unit name each: the XML far exceeds the first buffer.
  std::string payload = "3C000000";
  std::string name;
  for (int unit = 0; unit < 100; ++unit) name += "4100";
  for (int device = 0; device < 60; ++device) payload += "0000 6400" + name + "0000 0000 0000";

  Outcome grown = run_host({{"render", "15", "--xml", "--hex", payload}});
  EXPECT_EQ(grown.status, rendered) << grown.err;
  EXPECT_EQ(std::count(grown.out.begin(), grown.out.end(), '\n'), 60 * 3);
  EXPECT_GT(grown.out.size(), 6000u);

  Outcome fixed = run_host({{"render", "15", "--xml", "--hex", payload, "--buffer", "4096"}});
  EXPECT_EQ(fixed.status, some_failed);
  EXPECT_THAT(fixed.err, HasSubstr("an overflow occured"));
  EXPECT_LT(fixed.out.size(), 4096u);
  EXPECT_EQ(grown.out.compare(0, fixed.out.size() - 1, fixed.out, 0, fixed.out.size() - 1), 0)
      << "the partial output is the start of the whole";
}

TEST(HostRender, APluginGivenByPathServesAsTheDefaultDoes) {
  Outcome run = run_host({{"--plugin", VED_PLUGIN_PATH_FOR_HOST, "render", "9", "--text", "--hex", switch_payload}});
  EXPECT_EQ(run.status, rendered) << run.err;
  EXPECT_EQ(run.out, switch_sentence);

  Outcome missing = run_host({{"render", "9", "--hex", "00", "--plugin", "/nonexistent/libveduvedader.so"}});
  EXPECT_EQ(missing.status, usage_error);
  EXPECT_THAT(missing.err, HasSubstr("cannot load the plug-in"));
}

}  // namespace
}  // namespace host_test
