// Reaches every entry of the catalogue with hostile payloads and buffer sizes, and checks what a
// host relies on: a documented result, a terminated buffer, nothing written past it, a
// well-formed document whenever the XML entry succeeds, error information that matches the
// result, and no runtime object left alive.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accounting.h"
#include "plugin/event_catalogue.hpp"
#include "support/xml_well_formed.hpp"

namespace {

void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

bool documented(HRESULT hr) {
  return hr == S_OK || hr == DISP_E_EXCEPTION || hr == MK_E_SYNTAX || hr == E_OUTOFMEMORY;
}

constexpr char16_t guard = 0xFEFE;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::size_t row = data[0] % ui::event::event_catalogue_size;
  const bool xml = (data[1] & 1) != 0;
  // Mostly roomy buffers, sometimes tight ones, so both the renderers and the overflow paths run.
  const std::uint32_t capacity = 1 + static_cast<std::uint32_t>(data[2] | (data[3] << 8)) % 8192u;
  std::vector<std::uint8_t> payload(data + 4, data + size);  // exact size: reads past it are caught
  std::vector<char16_t> buffer(capacity + 8, guard);

  const ui::event::EventCatalogueEntry& entry = ui::event::EventCatalogue[row];
  std::uint32_t colour = 0xDEADBEEF;
  HRESULT hr = xml ? entry.pfnXml(0, static_cast<std::uint32_t>(payload.size()), payload.data(),
                                  buffer.data(), capacity)
                   : entry.pfnText(0, static_cast<std::uint32_t>(payload.size()), payload.data(),
                                   buffer.data(), capacity, &colour);

  require(documented(hr), "undocumented result");
  std::uint32_t length = 0;
  while (length < capacity && buffer[length] != u'\0') ++length;
  require(length < capacity, "buffer not terminated");
  for (std::size_t i = capacity; i < buffer.size(); ++i) require(buffer[i] == guard, "wrote past the buffer");
  if (!xml) require((hr == S_OK) == (colour != 0xDEADBEEF), "colour stored on failure or missing on success");
  if (xml && hr == S_OK) {
    const std::string error = test::xml_fragment_error(std::u16string_view(buffer.data(), length));
    if (!error.empty()) std::fprintf(stderr, "%s", error.c_str());
    require(error.empty(), "document not well-formed");
  }

  IErrorInfo* info = nullptr;
  HRESULT got = GetErrorInfo(0, &info);
  if (hr == DISP_E_EXCEPTION) require(got == S_OK && info != nullptr, "failure without a description");
  if (info != nullptr) info->Release();

  VedRuntimeCounts live = VedRuntimeLiveCounts();
  require(live.monikers == 0 && live.bind_contexts == 0 && live.task_allocations == 0 &&
              live.bstrs == 0 && live.error_infos == 0,
          "runtime objects leaked");
  return 0;
}
