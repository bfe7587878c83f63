#include "plugin_search.hpp"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "exit_status.hpp"

namespace host {

namespace {

std::optional<std::filesystem::path> program_folder() {
#ifdef _WIN32
  wchar_t name[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return std::nullopt;
  return std::filesystem::path(name).parent_path();
#else
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  return executable.parent_path();
#endif
}

bool holds_plugin(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::exists(folder / VED_PLUGIN_FILE_NAME, error);
}

}  // namespace

PluginLocation locate_plugin(const std::string& option) {
  if (!option.empty()) return {option, PluginSource::option};
  if (const char* variable = std::getenv(plugin_variable); variable != nullptr && *variable != '\0')
    return {variable, PluginSource::environment};

  std::optional<std::filesystem::path> program = program_folder();
  // Without its own folder the program leaves the search to the system's loader.
  if (!program) return {VED_PLUGIN_FILE_NAME, PluginSource::program_folder};
  if (holds_plugin(*program))
    return {(*program / VED_PLUGIN_FILE_NAME).string(), PluginSource::program_folder};
  std::string searched = program->string();
#ifdef VED_LIBRARY_FOLDER
  std::filesystem::path library = (*program / VED_LIBRARY_FOLDER).lexically_normal();
  if (holds_plugin(library))
    return {(library / VED_PLUGIN_FILE_NAME).string(), PluginSource::library_folder};
  searched += " nor in " + library.string();
#endif
  throw InputError(std::string("cannot find the plug-in " VED_PLUGIN_FILE_NAME " beside the program in ") +
                   searched + "; name it with --plugin or " + plugin_variable);
}

std::string plugin_search_order() {
  return std::string("the file that the environment variable ") + plugin_variable +
         " names, else " VED_PLUGIN_FILE_NAME " beside this program"
#ifdef VED_LIBRARY_FOLDER
         ", else in the library folder " VED_LIBRARY_FOLDER " from this program's folder"
#endif
      ;
}

std::string describe(PluginSource source) {
  switch (source) {
    case PluginSource::option:
      return "from --plugin";
    case PluginSource::environment:
      return std::string("from ") + plugin_variable;
    case PluginSource::program_folder:
      return "beside the program";
    case PluginSource::library_folder:
      return "in the library folder";
  }
  return "";
}

}  // namespace host
