// Runs parts of the change framework over a payload and collects what a caller can observe.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"
#include "support/payload_builder.hpp"
#include "support/render_harness.hpp"

namespace test {

struct Walk {
  std::string text;          // written from level 0
  std::size_t consumed = 0;  // payload bytes read
  std::exception_ptr error;  // what the walk raised, if anything
};

using WalkStep = std::function<void(ui::event::xml_output&, ByteCursor&)>;

inline Walk walk(const std::vector<std::uint8_t>& payload, const WalkStep& step) {
  std::vector<char16_t> buffer(4096);
  ByteCursor cursor(payload.data(), static_cast<std::uint32_t>(payload.size()));
  Walk w;
  {
    ui::event::xml_output out(buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    try {
      step(out, cursor);
    } catch (const std::exception&) {
      w.error = std::current_exception();
    }
  }
  w.text = to_utf8(buffer.data());
  w.consumed = cursor.offset();
  return w;
}

// Lines of an XML fragment: the level counts one blank each on top of `base` blanks.
struct Line {
  int level;
  std::string_view text;
};
inline std::string xml(std::initializer_list<Line> lines, int base = 3) {
  std::string text;
  for (const Line& line : lines)
    text.append(static_cast<std::size_t>(base + line.level), ' ').append(line.text).append("\n");
  return text;
}

}  // namespace test
