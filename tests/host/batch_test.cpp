// veduvedad batch: an event log of JSON Lines in, one JSON line per event out, in input order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* inband_switch = "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}";
constexpr const char* space_database_v0 = "{A03758A6-2081-45F5-A5D1-2E56101CEA78}";
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

TEST(HostBatch, RecordsKeepTheInputOrderWhateverTheNumberOfThreads) {
  std::string long_name;
  for (int i = 0; i < 1100; ++i) long_name += "4100";
  // Several rows and outcomes, failures among them, and a slow one whose XML outgrows the first
  // buffer: line, row, HRESULT.
  const std::vector<std::tuple<std::string, int, const char*>> kinds{
      {event_line(inband_switch, "102100401F0080BE5D510300000060E31600"), 9, "0x00000000"},
      {event_line(inband_switch, "10"), 9, "0x80020009"},
      {event_line(space_database_v0, "00", 11), 11, "0x00000000"},
      {event_line(device_allocatable, "00004C04" + long_name + "0000000000 01"), 16, "0x00000000"},
      {event_line(device_allocatable, "01000100"), 16, "0x800401E4"},
  };
  std::string log;
  for (std::size_t i = 0; i < 5000; ++i)  // more than one chunk
    log += std::get<0>(kinds[(i * 7 + i / 13) % kinds.size()]);
  std::string file = write_temporary_file("mixed.jsonl", log);

  Outcome one = run_host({{"batch", file, "--jobs", "1"}});
  Outcome four = run_host({{"batch", file, "--jobs", "4"}});
  EXPECT_EQ(four.status, 1);
  EXPECT_EQ(four.out, one.out);
  std::vector<std::string> records = lines_of(four.out);
  ASSERT_EQ(records.size(), 5000u);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const auto& [line, row, hr] = kinds[(i * 7 + i / 13) % kinds.size()];
    nlohmann::json record = nlohmann::json::parse(records[i]);
    ASSERT_EQ(record["line"], i + 1);
    ASSERT_EQ(record["row"], row) << "line " << i + 1;
    ASSERT_EQ(record["hr"], hr) << "line " << i + 1;
  }
}

TEST(HostBatch, RecordFieldsMalformedLinesAndFailuresByHresult) {
  const std::vector<std::pair<std::string, const char*>> malformed{
      {"this is not JSON\n", "not valid JSON"},
      {"[1, 2]\n", "not a JSON object"},
      {"{\"payload\": \"00\"}\n", "\"type\" must be an event-type GUID"},
      {event_line("{not-a-guid}", "00"), "\"type\" is not a GUID: \"{not-a-guid}\""},
      {event_line(inband_switch, "0G"), "bad hexadecimal payload at character 2: not a hexadecimal digit 'G'"},
      {event_line("{00000000-0000-0000-0000-000000000001}", ""),
       "no row has the event type {00000000-0000-0000-0000-000000000001}"},
      {event_line(space_database_v0, "00", 9),
       "row 9 has the event type {19B16A25-7D9E-4683-9B99-ED3EAC3190A3}, not {A03758A6-2081-45F5-A5D1-2E56101CEA78}"},
      {event_line(space_database_v0, "00", 30), "there is no row 30"},
  };
  std::string log = event_line(inband_switch, "0100");
  for (const auto& [line, report] : malformed) log += line;
  // A blank line, a type that rows 6 and 11 share, then three failures.
  log += "\n" + event_line(space_database_v0, "00") + event_line(inband_switch, "1021") +
         event_line(device_allocatable, "01000100") + event_line(inband_switch, "");
  Outcome run = run_host({{"batch", "--jobs", "2"}, log});
  EXPECT_EQ(run.status, 2);
  std::vector<std::string> records = lines_of(run.out);
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(nlohmann::json::parse(records[0]),
            nlohmann::json::parse(R"({"line":1,"row":9,"name":"InBand Switch","hr":"0x00000000",
              "text":"An internal switch resulted in no operation being performed.","colour":"#FFFFFF",
              "xml":"   <type>internal</type>\n   <result status=\"success\"/>\n   <disposition>no switch required</disposition>\n",
              "error":null})"));
  EXPECT_EQ(nlohmann::json::parse(records[1])["line"], 11);
  EXPECT_EQ(nlohmann::json::parse(records[1])["row"], 6) << "the first row with the type serves";
  nlohmann::json failure = nlohmann::json::parse(records[2]);
  EXPECT_EQ(failure["colour"], nullptr) << "a failure has no colour";
  EXPECT_EQ(failure["error"], "an underflow occured");

  for (std::size_t i = 0; i < malformed.size(); ++i)
    EXPECT_THAT(run.err, HasSubstr("line " + std::to_string(i + 2) + ": " + malformed[i].second + "; skipped"));
  EXPECT_THAT(run.err, Not(HasSubstr("line 10")));
  EXPECT_THAT(run.err, HasSubstr("events: 5 (3 failed, 8 malformed lines skipped)\n"
                                 "failures by HRESULT:\n"
                                 "  0x80020009 DISP_E_EXCEPTION: 2\n"
                                 "  0x800401E4 MK_E_SYNTAX: 1\n"
                                 "events per second: "));
  EXPECT_THAT(run.err, Not(HasSubstr("\x1b[K"))) << "no progress bar off a terminal";
}

TEST(HostBatch, ReportsOfMalformedLinesStandBetweenTheRecordsAroundThemInEveryChunk) {
  // Both streams on one terminal show the order of writing. Malformed lines stand on either side
  // of the likely chunk boundaries and deep in the log.
  const std::set<std::size_t> malformed{2048, 2049, 4096, 4097, 8200};
  constexpr std::size_t total = 8300;
  std::string log;
  for (std::size_t line = 1; line <= total; ++line)
    log += malformed.contains(line) ? "not JSON\n" : event_line(inband_switch, "0100");
  Outcome run = run_host_on_terminal({{"batch", write_temporary_file("reports.jsonl", log), "--jobs", "2"}});
  EXPECT_EQ(run.status, 2);

  const std::regex progress(R"(\r\x1b\[K(\[[#-]+\] \d+%  )?(\d+ events(  \d+/s)?)?)");
  const std::regex report(R"(veduvedad: line (\d+): not valid JSON; skipped\r)");
  std::vector<std::size_t> line_numbers;
  std::string rest;
  for (const std::string& line : lines_of(std::regex_replace(run.out, progress, ""))) {
    std::smatch match;
    if (line.starts_with('{'))
      line_numbers.push_back(nlohmann::json::parse(line)["line"].get<std::size_t>());
    else if (std::regex_match(line, match, report))
      line_numbers.push_back(std::stoul(match[1]));
    else
      rest += line;
  }
  std::vector<std::size_t> in_order(total);
  std::iota(in_order.begin(), in_order.end(), 1);
  EXPECT_EQ(line_numbers, in_order);
  EXPECT_THAT(rest, HasSubstr("events: 8295 (0 failed, 5 malformed lines skipped)"));
}

TEST(HostBatch, TextsWithNulUnitsAndLoneSurrogatesAreKeptLosslessly) {
  // Satellite names: "A", NUL, "B"; then a lone high surrogate, "x" and a surrogate pair; the
  // new moniker is a lone low surrogate. The sentence carries them as they came, through the JSON
  // escapes; the document has them replaced by U+FFFD, as XML requires.
  std::string payload = "00000000 0300 4100 0000 4200 0000 0400 00D8 7800 3DD8 00DE 0100 00DC";
  Outcome run = run_host({{"batch"}, event_line("{B2EFEC69-CDE5-444C-9E8F-610FB83F47DA}", payload)});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr(R"("text":"Remote transitioned from satellite 'A\u0000B' to '\ud800x)"
                                 "\xF0\x9F\x98\x80'.\""));
  EXPECT_THAT(run.out, HasSubstr(R"(<old-satellite moniker=\"\">A)" "\xEF\xBF\xBD" "B</old-satellite>"
                                 R"(<new-satellite moniker=\")" "\xEF\xBF\xBD" R"(\">)"
                                 "\xEF\xBF\xBDx\xF0\x9F\x98\x80</new-satellite>\""));
}

}  // namespace
}  // namespace host_test
