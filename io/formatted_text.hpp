// Text the library formats itself, a number and its unit: it holds no line break and nothing that
// XML would need escaped, so both sinks write it without looking at it.
#pragma once

#include <string_view>

namespace io {

struct FormattedText {
  std::u16string_view text;
};

}  // namespace io
