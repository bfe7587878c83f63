#include "event_renderer.hpp"

#include "exit_status.hpp"
#include "error_information.hpp"

namespace host {

namespace {

// The description every entry gives a write that does not fit its buffer.
constexpr std::u16string_view overflow_description = u"an overflow occured";

// Entries may not be handed a null payload, even an empty one.
constexpr std::uint8_t no_payload_byte = 0;

struct PayloadArguments {
  std::uint32_t size;
  const std::uint8_t* bytes;
};

PayloadArguments arguments_of(std::span<const std::uint8_t> payload) {
  if (payload.size() > UINT32_MAX) throw InputError("the payload is larger than 4 GiB");
  return {static_cast<std::uint32_t>(payload.size()), payload.empty() ? &no_payload_byte : payload.data()};
}

}  // namespace

EventRenderer::EventRenderer(const ErrorInformation& errors, BufferPolicy policy)
    : errors_(errors), policy_(policy), text_buffer_(policy.initial_units), xml_buffer_(policy.initial_units) {}

template <class Call>
Rendering EventRenderer::render(OutputBuffer& buffer, Call&& call) {
  for (;;) {
    buffer.prepare();
    Rendering rendering;
    rendering.hr = call(buffer.data(), buffer.capacity());
    if (!rendering.succeeded()) rendering.error_description = errors_.take_error_description();
    bool overflowed = !rendering.succeeded() && rendering.hr == DISP_E_EXCEPTION &&
                      rendering.error_description == overflow_description;
    if (overflowed && buffer.grow(policy_.limit_units)) continue;
    rendering.output = buffer.written();
    return rendering;
  }
}

Rendering EventRenderer::text(const EVENTUI& record, std::span<const std::uint8_t> payload) {
  PayloadArguments arguments = arguments_of(payload);
  std::uint32_t colour = 0;
  Rendering rendering = render(text_buffer_, [&](char16_t* units, std::uint32_t capacity) {
    return record.pfnText(0, arguments.size, arguments.bytes, units, capacity, &colour);
  });
  if (rendering.succeeded()) rendering.colour = colour;
  return rendering;
}

Rendering EventRenderer::xml(const EVENTUI& record, std::span<const std::uint8_t> payload) {
  PayloadArguments arguments = arguments_of(payload);
  return render(xml_buffer_, [&](char16_t* units, std::uint32_t capacity) {
    return record.pfnXml(0, arguments.size, arguments.bytes, units, capacity);
  });
}

}  // namespace host
