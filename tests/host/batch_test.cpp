// veduvedad batch: an event log of JSON Lines in, one JSON line per event out, in input order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* inband_switch = "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}";
constexpr const char* space_database_v0 = "{A03758A6-2081-45F5-A5D1-2E56101CEA78}";
constexpr const char* satellite_switch = "{B2EFEC69-CDE5-444C-9E8F-610FB83F47DA}";
constexpr const char* exclusion_created = "{F76B8226-0295-4D2C-97C7-F3BAE4C12F62}";
constexpr const char* device_allocatable = "{BDF2EE1D-D825-44BF-8D0E-8CACB51F9AC9}";

std::string event_line(const char* type, const std::string& payload, int row = -1) {
  std::string line = std::string("{\"type\": \"") + type + "\", \"payload\": \"" + payload + "\"";
  if (row >= 0) line += ", \"row\": " + std::to_string(row);
  return line + "}\n";
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct LogEvent {
  std::string line;
  int row;
  const char* hr;
};

// Events of several rows and outcomes, the slow and the quick, failures among them.
std::vector<LogEvent> mixed_events() {
  std::string long_name;
  for (int i = 0; i < 200; ++i) long_name += "4100";
  return {
      {event_line(inband_switch, "102100401F0080BE5D510300000060E31600"), 9, "0x00000000"},
      {event_line(exclusion_created, "000C774203000000005D9C4403000000"), 23, "0x00000000"},
      {event_line(inband_switch, "10"), 9, "0x80020009"},
      {event_line(space_database_v0, "00", 11), 11, "0x00000000"},
      {event_line(device_allocatable, "0000C800" + long_name + "0000000000 01"), 16, "0x00000000"},
      {event_line(device_allocatable, "01000100"), 16, "0x800401E4"},
  };
}

TEST(HostBatch, RecordsKeepTheInputOrderWhateverTheNumberOfThreads) {
  std::vector<LogEvent> kinds = mixed_events();
  std::string log;
  std::vector<const LogEvent*> expected;
  for (std::size_t i = 0; i < 5000; ++i) {  // more than one chunk
    const LogEvent& event = kinds[(i * 7 + i / 13) % kinds.size()];
    log += event.line;
    expected.push_back(&event);
  }
  std::string file = write_temporary_file("mixed.jsonl", log);

  Outcome one = run_host({{"batch", file, "--jobs", "1"}});
  Outcome four = run_host({{"batch", file, "--jobs", "4"}});
  Outcome from_input = run_host({{"batch", "--jobs", "3"}, log});
  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(four.status, 1);
  EXPECT_EQ(four.out, one.out);
  EXPECT_EQ(from_input.out, one.out);

  std::vector<std::string> records = lines_of(four.out);
  ASSERT_EQ(records.size(), expected.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    nlohmann::json record = nlohmann::json::parse(records[i]);
    ASSERT_EQ(record["line"], i + 1);
    ASSERT_EQ(record["row"], expected[i]->row) << "line " << i + 1;
    ASSERT_EQ(record["hr"], expected[i]->hr) << "line " << i + 1;
  }
}

TEST(HostBatch, RecordFieldsOfASuccessAndOfAFailure) {
  Outcome run = run_host({{"batch", "-"},
                          event_line(inband_switch, "0100") + event_line(inband_switch, "1021")});
  std::vector<std::string> records = lines_of(run.out);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(nlohmann::json::parse(records[0]),
            nlohmann::json::parse(R"({"line":1,"row":9,"name":"InBand Switch","hr":"0x00000000",
              "text":"An internal switch resulted in no operation being performed.","colour":"#FFFFFF",
              "xml":"   <type>internal</type>\n   <result status=\"success\"/>\n   <disposition>no switch required</disposition>\n",
              "error":null})"));
  EXPECT_EQ(nlohmann::json::parse(records[1]),
            nlohmann::json::parse(R"({"line":2,"row":9,"name":"InBand Switch","hr":"0x80020009",
              "text":"","colour":null,"xml":"   <type>scheduled</type>\n   <result status=\"success\"/>\n   <old-state status=\"home\"/>\n   <new-state status=\"switched\"",
              "error":"an underflow occured"})"));
}

TEST(HostBatch, MalformedLinesAreReportedWithTheirNumbersAndSkipped) {
  std::string log = event_line(inband_switch, "0100") +                      // 1
                    "this is not JSON\n" +                                     // 2
                    "[1, 2]\n" +                                               // 3
                    "{\"payload\": \"00\"}\n" +                               // 4
                    event_line("{not-a-guid}", "00") +                         // 5
                    event_line(inband_switch, "0G") +                          // 6
                    event_line("{00000000-0000-0000-0000-000000000001}", "") +  // 7
                    event_line(space_database_v0, "00", 9) +                   // 8
                    event_line(space_database_v0, "00", 30) +                  // 9
                    "\n" +                                                     // 10, blank
                    event_line(space_database_v0, "00");                       // 11
  Outcome run = run_host({{"batch", "--jobs", "2"}, log});
  EXPECT_EQ(run.status, 2);

  std::vector<std::string> records = lines_of(run.out);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(nlohmann::json::parse(records[0])["line"], 1);
  nlohmann::json shared_type = nlohmann::json::parse(records[1]);
  EXPECT_EQ(shared_type["line"], 11);
  EXPECT_EQ(shared_type["row"], 6) << "the first row with the type serves";

  for (const char* report : {
           "line 2: not valid JSON; skipped\n",
           "line 3: not a JSON object; skipped\n",
           "line 4: \"type\" must be an event-type GUID; skipped\n",
           "line 5: \"type\" is not a GUID: \"{not-a-guid}\"; skipped\n",
           "line 6: bad hexadecimal payload at character 2: not a hexadecimal digit 'G'; skipped\n",
           "line 7: no row has the event type {00000000-0000-0000-0000-000000000001}; skipped\n",
           "line 8: row 9 has the event type {19B16A25-7D9E-4683-9B99-ED3EAC3190A3}, not "
           "{A03758A6-2081-45F5-A5D1-2E56101CEA78}; skipped\n",
           "line 9: there is no row 30; skipped\n",
       })
    EXPECT_THAT(run.err, HasSubstr(report));
  EXPECT_THAT(run.err, Not(HasSubstr("line 10")));
  EXPECT_THAT(run.err, HasSubstr("events: 2 (0 failed, 8 malformed lines skipped)\n"));
}

TEST(HostBatch, SummaryCountsFailuresByHresult) {
  std::string log = event_line(inband_switch, "10") + event_line(inband_switch, "") +
                    event_line(device_allocatable, "01000100") + event_line(inband_switch, "0100");
  Outcome run = run_host({{"batch"}, log});
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(run.err, HasSubstr("events: 4 (3 failed, 0 malformed lines skipped)\n"
                                 "failures by HRESULT:\n"
                                 "  0x80020009 DISP_E_EXCEPTION: 2\n"
                                 "  0x800401E4 MK_E_SYNTAX: 1\n"
                                 "events per second: "));
  EXPECT_THAT(run.err, Not(HasSubstr("\x1b[K"))) << "no progress bar off a terminal";
}

TEST(HostBatch, TextsWithNulUnitsAndLoneSurrogatesAreKeptLosslessly) {
  // Satellite names: "A", NUL, "B"; then a lone high surrogate, "x" and a surrogate pair; the
  // new moniker is a lone low surrogate.
  std::string payload = "00000000"
                        "0300 4100 0000 4200"
                        "0000"
                        "0400 00D8 7800 3DD8 00DE"
                        "0100 00DC";
  Outcome run = run_host({{"batch"}, event_line(satellite_switch, payload)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr(R"("text":"Remote transitioned from satellite 'A\u0000B' to '\ud800x)"
                                 "\xF0\x9F\x98\x80'.\""));
  EXPECT_THAT(run.out, HasSubstr(R"(<old-satellite moniker=\"\">A\u0000B</old-satellite>)"
                                 R"(<new-satellite moniker=\"\udc00\">\ud800x)"
                                 "\xF0\x9F\x98\x80</new-satellite>\""));
}

TEST(HostBatch, AProgressBarShowsOnATerminal) {
  std::string log;
  for (int i = 0; i < 100; ++i) log += event_line(inband_switch, "0100");
  std::string file = write_temporary_file("progress.jsonl", log);
  Outcome run = run_host_on_terminal({{"batch", file}});
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(run.out, HasSubstr("\r\x1b[K[##############################] 100%  100 events"));
}

}  // namespace
}  // namespace host_test
