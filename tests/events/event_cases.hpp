// Renders catalogue rows through their entries, as a host calls them, and checks what it observes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com.h"
#include "support/render_harness.hpp"

namespace test {

using Payload = std::vector<std::uint8_t>;


// The call ended with `hr`, kept exactly `text` in the buffer, gave back `colour` (text only) and
// left `description` as the thread's error description (empty: none).
inline void expect_rendering(std::string_view label, int row, Form output,
                             const Payload& payload, HRESULT hr, std::string_view text,
                             std::uint32_t colour, std::string_view description) {
  SCOPED_TRACE(std::string(label) + (output == Form::xml ? " (xml, row " : " (text, row ") +
               std::to_string(row) + ")");
  const Rendered r = output == Form::xml ? render_xml(row, payload) : render_text(row, payload);
  EXPECT_EQ(r.hr, hr);
  EXPECT_EQ(r.text, text);
  if (output == Form::text) {
    EXPECT_EQ(r.colour, colour);
  }
  EXPECT_EQ(r.description, description);
}

inline void expect_xml(std::string_view label, int row, const Payload& payload,
                       std::string_view xml) {
  expect_rendering(label, row, Form::xml, payload, S_OK, xml, colour_not_stored, "");
}

inline void expect_text(std::string_view label, int row, const Payload& payload,
                        std::string_view text, std::uint32_t colour) {
  expect_rendering(label, row, Form::text, payload, S_OK, text, colour, "");
}

// A payload cut short: the call fails and keeps what was written before the missing field.
inline void expect_underflow(std::string_view label, int row, Form output,
                             const Payload& payload, std::string_view written) {
  expect_rendering(label, row, output, payload, DISP_E_EXCEPTION, written, colour_not_stored,
                   "an underflow occured");
}

// Every test ends with the runtime's objects as it found them: whatever a rendering took
// (monikers, bind contexts, task memory, error information) is given back on every path.
class EventRendering : public ::testing::Test {
 private:
  NoLeaks no_leaks_;
};

}  // namespace test
