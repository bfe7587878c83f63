#include "events/switched_carrier.hpp"

namespace data {

SwitchedCarrier SwitchedCarrier::read(ByteCursor& cursor) {
  SwitchedCarrier carrier{};
  carrier.data_rate = cursor.read_i32();
  carrier.frequency = cursor.read_u64();
  carrier.bandwidth = cursor.read_i32();
  return carrier;
}

}  // namespace data
