// veduvedad batch: an event log of JSON Lines in, one JSON line per event out, in input order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "host_process.hpp"

namespace host_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

constexpr const char* inband_switch = "{19B16A25-7D9E-4683-9B99-ED3EAC3190A3}";
constexpr const char* space_database_v0 = "{A03758A6-2081-45F5-A5D1-2E56101CEA78}";
constexpr const char* device_allocatable = "{BDF2EE1D-D825-44BF-8D0E-8CACB51F9AC9}";
constexpr const char* satellite_switch = "{B2EFEC69-CDE5-444C-9E8F-610FB83F47DA}";

std::string event_line(const std::string& type, const std::string& payload, int row = -1) {
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

TEST(HostBatch, RecordsAndReportsAreTheSameInInputOrderWhateverTheNumberOfThreads) {
  using nlohmann::json;
  std::string long_name;
  for (int i = 0; i < 1100; ++i) long_name += "4100";
  const std::string not_a_type =
      "\"type\" must be a row number, an event-type GUID or a display name";
  auto outcome = [](int row, const char* hr) { return json{{"row", row}, {"hr", hr}}; };
  auto malformed = [](const std::string& reason) { return json{{"malformed", reason}}; };
  // Lines and what their records hold: several rows and outcomes; EVENT as a row number, a GUID
  // and a name; failures of both parts, and of the XML alone, which keeps the text and its
  // colour; a slow one whose XML outgrows the first buffer; and malformed lines, each with its
  // reason. A refused moniker and NUL units are below, in the summary and the texts.
  const std::vector<std::pair<std::string, json>> kinds{
      // A sample, whose text and XML the samples-as-input test pins.
      {event_line(inband_switch, "0100"),
       json::parse(R"({"row":9,"name":"InBand Switch","hr":"0x00000000","colour":"#FFFFFF",
                       "error":null,"failed":null})")},
      {"{\"type\": 9, \"payload\": \"1021\"}\n",
       {{"failed", "text"}, {"colour", nullptr}, {"error", "an underflow occured"}}},
      {event_line(" inband switch ", ""), outcome(9, "0x80020009")},
      {event_line(space_database_v0, "00", 11), outcome(11, "0x00000000")},
      {event_line(device_allocatable, "00004C04" + long_name + "0000000000 01"),
       outcome(16, "0x00000000")},
      {"{\"type\": 1, \"payload\": \"00\"}\n",
       {{"failed", "xml"}, {"text", "Properties were modified."}, {"colour", "#80FFFF"}}},
      {"not JSON\n", malformed("not valid JSON")},
      {"{\"type\": 9, \"payload\": \"01" + std::string(1, '\0') + "\"}\n",
       malformed("not valid JSON")},
      {"[1, 2]\n", malformed("not a JSON object")},
      {"{\"payload\": \"00\"}\n", malformed("no \"type\"")},
      {"{\"type\": true, \"payload\": \"00\"}\n", malformed(not_a_type)},
      // Numbers that are not row numbers, though 0 and 2^64 might pass for them.
      {"{\"type\": -0, \"payload\": \"00\"}\n", malformed(not_a_type)},
      {"{\"type\": 18446744073709551616, \"payload\": \"00\"}\n", malformed(not_a_type)},
      {"{\"type\": 0, \"payload\": \"00\", \"row\": -0}\n",
       malformed("\"row\" must be a row number")},
      {event_line("{00000000-0000-0000-0000-000000000001}", ""),
       malformed("no event matches '{00000000-0000-0000-0000-000000000001}' "
                 "(try: veduvedad list)")},
      {event_line(space_database_v0, "00"),
       malformed(std::string("'") + space_database_v0 + "' is ambiguous; give \"row\": 6 or 11")},
      {event_line(space_database_v0, "00", 9),
       malformed("row 9 ({19B16A25-7D9E-4683-9B99-ED3EAC3190A3} InBand Switch) is not "
                 "'{A03758A6-2081-45F5-A5D1-2E56101CEA78}'")},
      {event_line(space_database_v0, "00", 30), malformed("there is no row 30")},
      {event_line(inband_switch, "0G"),
       malformed("bad hexadecimal payload at character 2: not a hexadecimal digit 'G'")},
      {"{\"type\": 9}\n", malformed("\"payload\" must be a hexadecimal string")},
  };
  // Every kind of line, each beside several others.
  auto kind = [&](std::size_t i) -> const auto& {
    return kinds[(i * 7 + i / kinds.size()) % kinds.size()];
  };
  // The first line starts with a byte order mark, which is passed over.
  std::string log = "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < 5000; ++i) log += kind(i).first;  // several chunks
  std::string file = temporary_file(log);

  // On a terminal, both streams show in the order they were written, once the progress meter is
  // taken out; up to its rate, what 2 and 8 jobs show must be what 1 job shows.
  const std::regex progress(R"(\r\x1b\[K(\[[#-]+\] \d+%  )?(\d+ events(  \d+/s)?)?)");
  auto shown = [&](const char* jobs) {
    Outcome run = run_host_on_terminal({{"batch", file, "--jobs", jobs, "--max-errors", "5000"}});
    EXPECT_EQ(run.status, 2);
    std::string text = std::regex_replace(run.out, progress, "");
    return text.substr(0, text.find("events per second"));
  };
  const std::string one = shown("1");
  for (const char* jobs : {"2", "8"}) EXPECT_EQ(shown(jobs), one) << jobs << " jobs";
  // Each line's record, after its report for a malformed line, in every chunk.
  const std::vector<std::string> lines = lines_of(one);
  std::size_t at = 0;
  for (std::size_t i = 0; i < 5000; ++i) {
    const json& expected = kind(i).second;
    if (expected.contains("malformed")) {
      ASSERT_EQ(lines.at(at++), "veduvedad: line " + std::to_string(i + 1) + ": " +
                                    expected["malformed"].get<std::string>() + "\r");
    }
    json record = json::parse(lines.at(at++));
    ASSERT_EQ(record["line"], i + 1);
    // An event's record has all nine fields; a malformed line's, the line and the reason.
    ASSERT_EQ(record.size(), expected.contains("malformed") ? 2u : 9u) << record;
    for (const auto& [field, value] : expected.items()) ASSERT_EQ(record[field], value) << record;
  }
  EXPECT_THAT(lines.at(at), StartsWith("events: "));
}

TEST(HostBatch, LinesOfALogThatStaysOpenAreRenderedAsTheyCome) {
  // What is written to the host's input, and the start of the last record it must then have
  // written, long before its input ends. A line may come in pieces.
  const std::string whole = event_line(inband_switch, "0100");
  const std::vector<std::pair<std::string, std::string>> bursts{
      {whole + event_line(inband_switch, "10"), "{\"line\":2,"},
      {whole.substr(0, 20), "{\"line\":2,"},
      {whole.substr(20) + "\nnot JSON\n", "{\"line\":5,\"malformed\""},
  };
  LiveHost host({"batch", "--jobs", "2"});
  for (const auto& [input, record] : bursts) {
    host.write_input(input);
    EXPECT_THAT(host.read_until(record), HasSubstr(record)) << input;
  }
  Outcome run = host.finish();
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(lines_of(run.out).size(), 4u);
  EXPECT_THAT(run.err, HasSubstr("events: 3 (1 failed), malformed lines: 1\n"));
}

TEST(HostBatch, ExitStatusSummaryLimitJobsAndTexts) {
  const std::string good = event_line(inband_switch, "0100");
  const std::string failing = event_line(inband_switch, "10");
  const std::string refused_moniker = event_line(device_allocatable, "01000100");
  // Satellite names: "A", NUL, "B"; then a lone high surrogate, "x" and a surrogate pair; the new
  // moniker is a lone low surrogate. The sentence carries them as they came, through the JSON
  // escapes (the document has them replaced, as the XML sink's own tests pin).
  const std::string satellites =
      "00000000 0300 4100 0000 4200 0000 0400 00D8 7800 3DD8 00DE 0100 00DC";
  // Input, options, exit status, and what standard output and error then hold.
  for (const auto& [log, options, status, shown] :
       std::vector<std::tuple<std::string, std::vector<std::string>, int, std::vector<std::string>>>{
           {good + good, {"--jobs", "0"}, 0, {"events: 2 (0 failed), malformed lines: 0\n"}},
           {good + failing, {}, 1, {"events: 2 (1 failed), malformed lines: 0\n"}},
           // Reasons grouped, the most frequent first.
           {failing + refused_moniker + refused_moniker + "[1]\n[2]\nx\n", {}, 2,
            {"events: 3 (3 failed), malformed lines: 3\n"
             "failures by reason:\n"
             "  2  0x800401E4 MK_E_SYNTAX (no error description)\n"
             "  1  0x80020009 DISP_E_EXCEPTION: an underflow occured\n"
             "malformed lines by reason:\n"
             "  2  not a JSON object\n"
             "  1  not valid JSON\n"
             "events per second: "}},
           {"x\n", {"--max-errors", "0"}, 2,
            {"veduvedad: further malformed lines are only counted (--max-errors 0)\nevents: 0 (0 failed)"}},
           {event_line(satellite_switch, satellites), {}, 0,
            {R"("text":"Remote transitioned from satellite 'A\u0000B' to '\ud800x)"
             "\xF0\x9F\x98\x80'.\""}},
       }) {
    std::vector<std::string> arguments{"batch"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    Outcome run = run_host({arguments, log});
    EXPECT_EQ(run.status, status) << log;
    for (const std::string& expected : shown) EXPECT_THAT(run.out + run.err, HasSubstr(expected));
    EXPECT_THAT(run.err, Not(HasSubstr("\x1b[K"))) << "no progress bar off a terminal";
  }
}

TEST(HostBatch, SamplesAsBatchInputRenderAsTheSamplesDo) {
  Outcome input = run_host({{"samples", "--jsonl"}});
  ASSERT_EQ(input.status, 0) << input.err;
  Outcome rendered = run_host({{"batch"}, input.out});
  EXPECT_EQ(rendered.status, 0) << rendered.err;
  std::string samples = run_host({{"samples", "--color=never"}}).out;
  std::vector<std::string> records = lines_of(rendered.out);
  std::vector<std::string> sample_lines = lines_of(samples);
  EXPECT_EQ(records.size(), static_cast<std::size_t>(std::count_if(sample_lines.begin(), sample_lines.end(),
                                                                   [](const std::string& l) { return l.starts_with("== "); })));
  for (const std::string& line : records) {
    nlohmann::json record = nlohmann::json::parse(line);
    EXPECT_THAT(samples, HasSubstr("\n" + record["text"].get<std::string>() + "\n" + record["xml"].get<std::string>()));
  }
}

TEST(HostBatch, ATerminalOnStandardInputGetsAHint) {
  Outcome run = run_host_on_terminal({{"batch"}, event_line(inband_switch, "0100")});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_THAT(run.out, HasSubstr("veduvedad: reading the event log from the terminal, one JSON line per event; "
                                 "Ctrl-D ends it\r\n"));
  EXPECT_THAT(run.out, HasSubstr("{\"line\":1,\"row\":9,"));
}

}  // namespace
}  // namespace host_test
