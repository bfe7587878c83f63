// ved_batch_log COUNT: writes an event log of COUNT JSON lines for the host's batch command,
// cycling through the host's sample payloads of every catalogue row.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "guid_text.hpp"
#include "plugin/event_catalogue.hpp"
#include "samples.hpp"

namespace {

std::string log_line(const host::Sample& sample) {
  constexpr char digits[] = "0123456789abcdef";
  std::string line = "{\"type\": \"" +
                     host::format_guid(*ui::event::EventCatalogue[sample.row].pguidType) +
                     "\", \"payload\": \"";
  for (std::uint8_t byte : sample.payload) {
    line += digits[byte >> 4];
    line += digits[byte & 0xF];
  }
  return line + "\", \"row\": " + std::to_string(sample.row) + "}\n";
}

}  // namespace

int main(int argc, char** argv) {
  const long long count = argc == 2 ? std::atoll(argv[1]) : 0;
  if (count <= 0) {
    std::fputs("usage: ved_batch_log COUNT\n", stderr);
    return 2;
  }
  std::vector<std::string> lines;
  for (const host::Sample& sample : host::make_samples()) lines.push_back(log_line(sample));
  for (long long i = 0; i < count; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i) % lines.size()];
    if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
