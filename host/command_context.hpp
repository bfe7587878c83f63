// What the subcommands share: the plug-in, loaded on first use so that --help needs none, the
// run's exit status, and the options that several subcommands offer.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "event_renderer.hpp"
#include "event_table.hpp"
#include "exit_status.hpp"
#include "plugin_library.hpp"
#include "plugin_search.hpp"
#include "terminal_colour.hpp"

namespace CLI {
class App;
}

namespace host {

class CommandContext {
 public:
  std::string plugin_path;  // empty: the plug-in is searched for
  ExitStatus status = ExitStatus::rendered;

  const PluginLocation& plugin_location();
  const PluginLibrary& plugin();
  const EventTable& events();

 private:
  std::optional<PluginLocation> plugin_location_;
  std::unique_ptr<PluginLibrary> plugin_;
  std::unique_ptr<EventTable> events_;
};

// --color=auto|always|never; `shown` says what is coloured.
void add_colour_option(CLI::App& command, ColourMode& mode,
                       const std::string& shown = "sentences in their display colour");

// --buffer N: a fixed buffer of N units; 0 (not given) lets the buffer grow.
void add_buffer_option(CLI::App& command, std::uint32_t& units);
BufferPolicy buffer_policy(std::uint32_t units) noexcept;

}  // namespace host
