// What --version shows: the host's version, the plug-in it loads and how it was built.
#pragma once

#include <string>

namespace host {

class CommandContext;

// "veduvedad 1.2.3\nplug-in: PATH (HOW)\nbuild: TYPE, COMPILER": PATH made absolute when it names
// a file, HOW telling how it was found, and followed by why the plug-in cannot be loaded, if it
// cannot; or in its place why none was found.
std::string version_text(CommandContext& context);

}  // namespace host
