// What the conventional XML renderers hand their documents: one line at a time, each with its
// indentation depth, as the plug-in's layout has it.
#pragma once

#include <string_view>

namespace bench {

struct Attribute {
  std::string_view name;
  std::string_view value;
};

}  // namespace bench
