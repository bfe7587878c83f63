// Where the host finds the plug-in: the path --plugin names; else the one the environment
// variable VEDUVEDAD_PLUGIN names; else the plug-in's runtime file beside the program; else the
// same file in the installed library folder, found from the program's folder so that an
// installation moved as a whole keeps working.
#pragma once

#include <string>

namespace host {

inline constexpr const char* plugin_variable = "VEDUVEDAD_PLUGIN";

enum class PluginSource { option, environment, program_folder, library_folder };

struct PluginLocation {
  // As given for --plugin and the variable, where a bare file name leaves the search to the
  // system's loader; a full path for the folders searched.
  std::string path;
  PluginSource source;
};

// option: the value of --plugin, empty when it was not given; an empty variable counts as unset.
// InputError naming the folders searched when neither holds the plug-in.
PluginLocation locate_plugin(const std::string& option);

// The places searched without --plugin, in order, for the help.
std::string plugin_search_order();

// How the plug-in was found, for --version: "from --plugin", "beside the program", ...
std::string describe(PluginSource source);

}  // namespace host
