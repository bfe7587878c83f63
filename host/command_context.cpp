#include "command_context.hpp"

#include "cli.hpp"

namespace host {

const PluginLocation& CommandContext::plugin_location() {
  if (!plugin_location_) plugin_location_ = locate_plugin(plugin_path);
  return *plugin_location_;
}

const PluginLibrary& CommandContext::plugin() {
  if (!plugin_) plugin_ = std::make_unique<PluginLibrary>(plugin_location().path);
  return *plugin_;
}

const EventTable& CommandContext::events() {
  if (!events_) events_ = std::make_unique<EventTable>(plugin().records());
  return *events_;
}

void add_colour_option(CLI::App& command, ColourMode& mode, const std::string& shown) {
  command
      .add_option_function<std::string>(
          "--color",
          [&mode](const std::string& name) {
            mode = name == "always" ? ColourMode::always
                   : name == "never" ? ColourMode::never
                                     : ColourMode::automatic;
          },
          "When to show " + shown +
              ": auto (the default: when standard output is a terminal, NO_COLOR is not set and "
              "TERM is not dumb), always or never. The colour is 24-bit where COLORTERM is "
              "truecolor or 24bit, else the nearest of 256; white text keeps the terminal's own "
              "colour")
      ->check(CLI::IsMember({"auto", "always", "never"}).description(""))
      ->type_name("auto|always|never");
}

void add_buffer_option(CLI::App& command, std::uint32_t& units) {
  command
      .add_option("--buffer", units,
                  "Fixed buffer size in UTF-16 units, terminator included; without it the buffer "
                  "grows on overflow")
      ->check(CLI::Range(1u, BufferPolicy::growing().limit_units));
}

BufferPolicy buffer_policy(std::uint32_t units) noexcept {
  return units == 0 ? BufferPolicy::growing() : BufferPolicy::fixed(units);
}

}  // namespace host
