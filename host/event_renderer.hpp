// Calls a record's entries with a payload, as an event viewer does: the buffer grows on overflow
// (doubling up to a limit) unless its size is fixed, and a failure brings back the thread's
// error description.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "output_buffer.hpp"
#include "platform/com.h"
#include "veduvedader/eventui.h"

namespace host {

class ErrorInformation;

struct BufferPolicy {
  std::uint32_t initial_units;
  std::uint32_t limit_units;

  static constexpr BufferPolicy growing() noexcept { return {1024, 1u << 24}; }
  static constexpr BufferPolicy fixed(std::uint32_t units) noexcept { return {units, units}; }
};

struct Rendering {
  HRESULT hr = S_OK;
  std::u16string_view output;                      // partial after a failure; see EventRenderer
  std::optional<std::uint32_t> colour;             // text renderings that succeeded
  std::optional<std::u16string> error_description;  // failures that left one

  bool succeeded() const noexcept { return SUCCEEDED(hr); }
};

// One per thread: the error information it reads belongs to the calling thread. Each kind of
// rendering has its own buffer, and its output stays valid until the next rendering of that kind.
class EventRenderer {
 public:
  // errors: the runtime whose error information the entries set.
  EventRenderer(const ErrorInformation& errors, BufferPolicy policy);

  Rendering text(const EVENTUI& record, std::span<const std::uint8_t> payload);
  Rendering xml(const EVENTUI& record, std::span<const std::uint8_t> payload);

 private:
  template <class Call>
  Rendering render(OutputBuffer& buffer, Call&& call);

  const ErrorInformation& errors_;
  BufferPolicy policy_;
  OutputBuffer text_buffer_;
  OutputBuffer xml_buffer_;
};

}  // namespace host
