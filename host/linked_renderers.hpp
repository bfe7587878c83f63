// The plug-in's renderers as the host links them, in the build that reports its reads to an
// observer (io/read_observer.hpp): the same catalogue, entries and runtime as the plug-in, without
// loading it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "error_information.hpp"
#include "event_table.hpp"
#include "veduvedader/eventui.h"

namespace host {

class LinkedRenderers final : public ErrorInformation {
 public:
  LinkedRenderers();
  LinkedRenderers(const LinkedRenderers&) = delete;
  LinkedRenderers& operator=(const LinkedRenderers&) = delete;

  // The catalogue's rows, in enumeration order.
  const EventTable& events() const noexcept { return events_; }

  std::optional<std::u16string> take_error_description() const override;

 private:
  std::vector<EVENTUI> records_;
  EventTable events_;
};

}  // namespace host
