#include "io/widening.hpp"

#ifdef _WIN32
#include "com/ole_text.hpp"

namespace io {

void widen_ansi(const char* source, std::size_t n, char16_t* destination) noexcept {
  MultiByteToWideChar(CP_ACP, 0, source, static_cast<int>(n), com::ole(destination),
                      static_cast<int>(n));
}

}  // namespace io
#endif
