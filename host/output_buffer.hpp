// The wide-character buffer handed to an entry. Entries keep it terminated but copy payload text
// unchanged, NUL units included, so the text's end cannot be found from its first NUL. The
// buffer is therefore filled with a marker unit beforehand: entries write only up to their final
// terminator, so the text ends at the last NUL before the untouched marker run.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace host {

class OutputBuffer {
 public:
  explicit OutputBuffer(std::uint32_t units);

  char16_t* data() noexcept { return units_.data(); }
  std::uint32_t capacity() const noexcept { return static_cast<std::uint32_t>(units_.size()); }

  // Restores the marker over whatever the previous entry call may have written.
  void prepare();

  // The text the last entry call left, without its terminator. Valid until the next prepare().
  std::u16string_view written();

  // Doubles the capacity, but not beyond limit; false when it is already there.
  bool grow(std::uint32_t limit);

 private:
  std::vector<char16_t> units_;
  std::size_t touched_ = 0;  // units from the start that may differ from the marker
};

}  // namespace host
