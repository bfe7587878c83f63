#include "nearest_words.hpp"

#include <algorithm>
#include <vector>

namespace host {

namespace {

char lower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Optimal string alignment distance: insertions, deletions, substitutions and transpositions of
// neighbours, letter case ignored.
std::size_t edit_distance(std::string_view a, std::string_view b) {
  const std::size_t width = b.size() + 1;
  // Three rows of the table: two rows back (for transpositions), the previous and the current.
  std::vector<std::size_t> rows(3 * width);
  std::size_t* before = rows.data();
  std::size_t* previous = before + width;
  std::size_t* current = previous + width;
  for (std::size_t j = 0; j < width; ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j < width; ++j) {
      const bool same = lower(a[i - 1]) == lower(b[j - 1]);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) && lower(a[i - 2]) == lower(b[j - 1]))
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return previous[b.size()];
}

}  // namespace

std::string did_you_mean(std::string_view word, std::span<const std::string> candidates) {
  // A third of the word's letters may be wrong, and at least one.
  std::size_t best = std::max<std::size_t>(1, word.size() / 3);
  std::vector<std::string_view> nearest;
  for (const std::string& candidate : candidates) {
    std::size_t distance = edit_distance(word, candidate);
    if (distance > best) continue;
    if (distance < best) {
      best = distance;
      nearest.clear();
    }
    if (std::find(nearest.begin(), nearest.end(), candidate) == nearest.end()) nearest.push_back(candidate);
  }
  if (nearest.empty()) return {};
  std::string hint = "did you mean";
  for (std::size_t i = 0; i < nearest.size(); ++i) {
    hint += i == 0 ? " '" : i + 1 == nearest.size() ? "' or '" : "', '";
    hint += nearest[i];
  }
  return hint + "'?";
}

}  // namespace host
