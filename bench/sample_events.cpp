#include "sample_events.hpp"

#include <algorithm>

#include "platform/com.h"
#include "samples.hpp"

namespace bench {
namespace {

// Units from the start of the buffer that the call may have written: the final terminator is the
// last unit that differs from the marker the buffer was filled with.
constexpr char16_t marker = u'\xFFFF';

template <class Call>
Rendering render_into_fresh_buffer(Call&& call) {
  std::vector<char16_t> buffer(viewer_buffer_units, marker);
  Rendering rendering{};
  rendering.hr = call(buffer.data(), &rendering.colour);
  rendering.succeeded = SUCCEEDED(rendering.hr);
  const auto last_written =
      std::find_if(buffer.rbegin(), buffer.rend(), [](char16_t unit) { return unit != marker; });
  if (last_written != buffer.rend())
    rendering.text.assign(buffer.data(),
                          static_cast<std::size_t>(buffer.rend() - last_written - 1));
  return rendering;
}

}  // namespace

std::vector<SampleEvent> sample_events() {
  std::vector<SampleEvent> events;
  for (host::Sample& sample : host::make_samples()) {
    const std::size_t number =
        events.empty() || events.back().row != sample.row ? 1 : events.back().number + 1;
    events.push_back({sample.row, number, std::move(sample.title), std::move(sample.payload),
                      &ui::event::EventCatalogue[sample.row]});
  }
  return events;
}

HRESULT call_entry(const SampleEvent& sample, Output output, char16_t* buffer, std::uint32_t size,
                   std::uint32_t* colour) {
  const auto length = static_cast<std::uint32_t>(sample.payload.size());
  if (output == Output::xml)
    return sample.entry->pfnXml(0, length, sample.payload.data(), buffer, size);
  return sample.entry->pfnText(0, length, sample.payload.data(), buffer, size, colour);
}

Rendering render_with_entry(const SampleEvent& sample, Output output) {
  return render_into_fresh_buffer([&](char16_t* buffer, std::uint32_t* colour) {
    return call_entry(sample, output, buffer, viewer_buffer_units, colour);
  });
}

Rendering render_conventionally(const SampleEvent& sample, const ConventionalRendering& renderer) {
  return render_into_fresh_buffer([&](char16_t* buffer, std::uint32_t* colour) {
    return renderer.render(sample.payload, buffer, viewer_buffer_units, colour) ? S_OK : E_FAIL;
  });
}

}  // namespace bench
