#include "changes/modification_text.hpp"

#include <string_view>

#include "veduvedader/eventui.h"

namespace ui::event {

std::uint32_t render_modification_text(text_output& out, ByteCursor&) {
  out.put_text(std::string_view("Properties were modified."));
  return EVENTUI_COLOUR_CHANGED;
}

}  // namespace ui::event
