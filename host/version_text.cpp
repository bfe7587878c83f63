#include "version_text.hpp"

#include <filesystem>

#include "command_context.hpp"

namespace host {

std::string version_text(CommandContext& context) {
  std::string path = context.plugin_path.empty() ? default_plugin_path() : context.plugin_path;
  // A bare file name is looked up by the system's loader, so only a file that exists is resolved.
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    if (!error) path = resolved.string();
  }
  std::string text = "veduvedad " VED_VERSION "\nplug-in: " + path;
  try {
    context.plugin();
  } catch (const InputError& e) {
    text += std::string(" (") + e.what() + ")";
  }
  return text + "\nbuild: " VED_BUILD;
}

}  // namespace host
