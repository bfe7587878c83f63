// What --version shows: the host's version, the plug-in it loads and how it was built.
#pragma once

#include <string>

namespace host {

class CommandContext;

// "veduvedad 1.2.3\nplug-in: PATH\nbuild: TYPE, COMPILER", PATH resolved to an absolute path and
// followed by why the plug-in cannot be loaded, if it cannot.
std::string version_text(CommandContext& context);

}  // namespace host
