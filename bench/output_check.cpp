#include "output_check.hpp"

#include <cstring>
#include <exception>
#include <string>

namespace bench {
namespace {

std::string narrow(const std::u16string& text) {
  std::string result;
  for (char16_t unit : text) result += unit < 0x80 ? static_cast<char>(unit) : '?';
  return result;
}

}  // namespace

bool conventional_outputs_match(const std::vector<SampleEvent>& samples, std::ostream& errors) {
  bool all_match = true;
  for (const ConventionalRendering& renderer : conventional_renderings()) {
    for (const SampleEvent& sample : samples) {
      if (sample.row != renderer.row) continue;
      const Rendering expected = render_with_entry(sample, renderer.output);
      if (!expected.succeeded) continue;  // reported by the entry's own benchmark
      Rendering actual{};
      try {
        actual = render_conventionally(sample, renderer);
      } catch (const std::exception& e) {
        actual.text =
            u"(raised: " + std::u16string(e.what(), e.what() + std::strlen(e.what())) + u")";
      }
      if (actual.succeeded && actual.text == expected.text && actual.colour == expected.colour)
        continue;
      all_match = false;
      errors << renderer.method << " differs on row " << sample.row << " sample " << sample.number
             << "\n--- entry (colour " << expected.colour << ")\n"
             << narrow(expected.text) << "\n--- " << renderer.method << " (colour " << actual.colour
             << ")\n"
             << narrow(actual.text) << '\n';
    }
  }
  return all_match;
}

}  // namespace bench
