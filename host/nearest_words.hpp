// "Did you mean" hints for words that were not recognised: commands, options, event names.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace host {

// "did you mean 'render'?" or "did you mean 'a' or 'b'?": the candidates at the least edit
// distance from word (letter case ignored, two neighbours swapped count as one edit), if that
// distance is small for the word's length; empty when no candidate is that near. Repeated
// candidates are named once.
std::string did_you_mean(std::string_view word, std::span<const std::string> candidates);

}  // namespace host
