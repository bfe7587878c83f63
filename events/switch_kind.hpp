// What initiated an in-band switch, with the words a sentence uses for it.
#pragma once

#include <cstdint>
#include <string_view>

namespace data {

// Any other byte value is valid too: it reads as "unknown".
enum class SwitchKind : std::uint8_t {
  internal = 1,
  diagnostic = 2,
  user_application = 8,
  automatic_application = 9,
  scheduled = 16,
};

std::string_view switch_kind_name(SwitchKind kind) noexcept;
// "A " or "An ", to stand in front of the name.
std::string_view switch_kind_article(SwitchKind kind) noexcept;

}  // namespace data
