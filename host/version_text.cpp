#include "version_text.hpp"

#include <filesystem>

#include "command_context.hpp"

namespace host {

namespace {

// A bare file name is looked up by the system's loader, so only a file that exists is resolved.
std::string shown(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return path;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace

std::string version_text(CommandContext& context) {
  std::string text = "veduvedad " VED_VERSION "\nplug-in: ";
  bool located = false;
  try {
    const PluginLocation& location = context.plugin_location();
    text += shown(location.path) + " (" + describe(location.source) + ")";
    located = true;
    context.plugin();
  } catch (const InputError& e) {
    text += (located ? ", " : "") + std::string(e.what());
  }
  return text + "\nbuild: " VED_BUILD;
}

}  // namespace host
