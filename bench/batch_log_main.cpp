// ved_batch_log COUNT: writes an event log of COUNT JSON lines for the host's batch command,
// cycling through the host's sample payloads of every catalogue row.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "batch_input_line.hpp"
#include "plugin/event_catalogue.hpp"
#include "samples.hpp"

int main(int argc, char** argv) {
  const long long count = argc == 2 ? std::atoll(argv[1]) : 0;
  if (count <= 0) {
    std::fputs("usage: ved_batch_log COUNT\n", stderr);
    return 2;
  }
  std::vector<std::string> lines;
  for (const host::Sample& sample : host::make_samples())
    lines.push_back(host::batch_input_line(*ui::event::EventCatalogue[sample.row].pguidType, sample.row, sample.payload));
  for (long long i = 0; i < count; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(i) % lines.size()];
    if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
