// The carrier a site uses while it is switched away from its home carrier.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"

namespace data {

struct SwitchedCarrier {
  std::int32_t data_rate;   // bits per second
  std::uint64_t frequency;  // hertz
  std::int32_t bandwidth;   // hertz, taken from the dynamic pool

  static SwitchedCarrier read(ByteCursor& cursor);
};

}  // namespace data
