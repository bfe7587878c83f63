// The flag byte of an in-band or out-of-band switch event.
#pragma once

#include <cstdint>

namespace data {

// Without `performed` no switch was required and the other bits mean nothing.
class InBandSwitchFlags {
 public:
  explicit constexpr InBandSwitchFlags(std::uint8_t bits) noexcept : bits_(bits) {}

  constexpr bool performed() const noexcept { return (bits_ & 0x01) != 0; }
  // An error code and description follow the flags.
  constexpr bool failed() const noexcept { return (bits_ & 0x02) != 0; }
  // The site was on a switched carrier before the switch (else on its home carrier).
  constexpr bool switched_before() const noexcept { return (bits_ & 0x10) != 0; }
  // The site is on a switched carrier after the switch (else on its home carrier).
  constexpr bool switched_after() const noexcept { return (bits_ & 0x20) != 0; }

 private:
  std::uint8_t bits_;
};

}  // namespace data
