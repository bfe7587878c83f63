// The host's sample payloads beside the catalogue rows they belong to, and single calls of a
// row's entries with them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "conventional_renderers.hpp"
#include "plugin/event_catalogue.hpp"

namespace bench {

struct SampleEvent {
  std::size_t row;
  std::size_t number;  // among its row's samples, from 1
  std::string title;
  std::vector<std::uint8_t> payload;
  const ui::event::EventCatalogueEntry* entry;
};

// In catalogue row order.
std::vector<SampleEvent> sample_events();

// A buffer as large as a viewer hands over: no sample comes near filling it.
inline constexpr std::uint32_t viewer_buffer_units = 16384;

// One call of the row's entry of that output kind.
HRESULT call_entry(const SampleEvent& sample, Output output, char16_t* buffer, std::uint32_t size,
                   std::uint32_t* colour);

struct Rendering {
  bool succeeded;
  HRESULT hr;  // of an entry; E_FAIL for a conventional renderer that failed
  std::u16string text;
  std::uint32_t colour;
};

// The output of one call into a fresh viewer-sized buffer.
Rendering render_with_entry(const SampleEvent& sample, Output output);
Rendering render_conventionally(const SampleEvent& sample, const ConventionalRendering& renderer);

}  // namespace bench
