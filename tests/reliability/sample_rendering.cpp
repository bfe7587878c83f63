#include "sample_rendering.hpp"

#include "platform/accounting.h"
#include "plugin/event_catalogue.hpp"
#include "support/render_harness.hpp"

namespace test {
namespace {

constexpr char16_t guard = 0xFEFE;
constexpr std::uint32_t no_colour = 0xDEADBEEF;
constexpr const char16_t* marker = u"marker";

}  // namespace

Observed observe(std::size_t row, Form form, const std::vector<std::uint8_t>& payload,
                 std::size_t length, std::uint32_t capacity) {
  const ui::event::EventCatalogueEntry& entry = ui::event::EventCatalogue[row];
  // The payload is copied to exactly its length, so a read past it is a heap overflow that the
  // sanitizers report.
  std::vector<std::uint8_t> bytes(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(length));
  std::vector<char16_t> buffer(capacity + 4, guard);
  std::uint32_t colour = no_colour;
  set_error_description(marker);
  Observed o;
  o.hr = form == Form::xml
             ? entry.pfnXml(0, static_cast<std::uint32_t>(length), bytes.data(), buffer.data(), capacity)
             : entry.pfnText(0, static_cast<std::uint32_t>(length), bytes.data(), buffer.data(), capacity,
                             &colour);
  o.colour = colour;
  o.colour_stored = colour != no_colour;
  for (std::size_t i = capacity; i < buffer.size(); ++i) o.guards_intact &= buffer[i] == guard;
  std::size_t n = 0;
  while (n < capacity && buffer[n] != u'\0') ++n;
  o.terminated = n < capacity;
  o.text.assign(buffer.data(), n);
  o.has_description = take_error_description(o.description);
  return o;
}

bool runtime_is_idle() {
  VedRuntimeCounts live = VedRuntimeLiveCounts();
  return live.monikers == 0 && live.bind_contexts == 0 && live.task_allocations == 0 &&
         live.bstrs == 0 && live.error_infos == 0;
}

const std::vector<host::Sample>& samples() {
  static const std::vector<host::Sample> all = host::make_samples();
  return all;
}

}  // namespace test
