// Events of the setup and takedown failure lists of the ZARN circuits: a device was added to or
// removed from one of them, and why.
#pragma once

#include <cstdint>
#include <string_view>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace data {

// Why a device's membership of a failure list changed.
enum class FailureListReason : std::int32_t {
  redundant_update = 0,
  failed_setup = 1,
  successful_setup = 2,
  failed_takedown = 3,
  successful_takedown = 4,
  recovery_request = 5,
};

// The reason as the end of a sentence ("failed setup."); "unknown reason." for other values.
std::u16string_view failure_reason_text(FailureListReason reason) noexcept;

}  // namespace data

namespace ui::event {

// Payload of all four events: the device name, then the reason (32 bits). Both renderers read
// the whole payload before they write.
void render_failure_list_xml(xml_output& out, ByteCursor& cursor);

std::uint32_t render_setup_failure_added_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_takedown_failure_added_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_setup_failure_removed_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_takedown_failure_removed_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
