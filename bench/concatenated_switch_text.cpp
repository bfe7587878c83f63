#include "concatenated_switch_text.hpp"

#include <optional>

#include "events/inband_switch_flags.hpp"
#include "events/switch_kind.hpp"
#include "events/switched_carrier.hpp"
#include "plain_formatting.hpp"
#include "veduvedader/eventui.h"

namespace bench {
namespace {

using data::SwitchedCarrier;

std::string pool_consumption(const SwitchedCarrier& carrier) {
  return ", consuming " + plain::frequency_text(carrier.bandwidth) +
         " of bandwidth from the dynamic pool.";
}

std::string outcome(const std::optional<SwitchedCarrier>& before,
                    const std::optional<SwitchedCarrier>& after) {
  if (!before && after)
    return "switched the site from home to " + plain::bit_rate_text(after->data_rate) +
           pool_consumption(*after);
  if (!before) return "did nothing useful.";
  if (!after)
    return "switched the site from " + plain::bit_rate_text(before->data_rate) + " to home.";
  if (before->data_rate != after->data_rate)
    return "changed the site's data rate from " + plain::bit_rate_text(before->data_rate) + " to " +
           plain::bit_rate_text(after->data_rate) + pool_consumption(*after);
  if (before->frequency != after->frequency) return "changed the site's frequency.";
  return "changed the site's bandwidth.";
}

}  // namespace

std::string concatenated_inband_switch_text(ByteCursor& in, std::uint32_t& colour) {
  const data::SwitchKind kind{in.read_u8()};
  const data::InBandSwitchFlags flags{in.read_u8()};
  const std::string subject =
      std::string(data::switch_kind_article(kind)) + std::string(data::switch_kind_name(kind));
  if (!flags.performed()) {
    colour = EVENTUI_COLOUR_WHITE;
    return subject + " switch resulted in no operation being performed.";
  }
  if (flags.failed()) {
    in.read_u32();
    colour = EVENTUI_COLOUR_RED;
    return subject + " switch failed with the error: " + std::string(in.read_string().text);
  }
  std::optional<SwitchedCarrier> before;
  if (flags.switched_before()) before = SwitchedCarrier::read(in);
  std::optional<SwitchedCarrier> after;
  if (flags.switched_after()) after = SwitchedCarrier::read(in);
  colour = EVENTUI_COLOUR_GREEN;
  return subject + " switch successfully " + outcome(before, after);
}

}  // namespace bench
