#pragma once

#include <string>

namespace plugin {
class IPluginBase;
} // namespace plugin

namespace plugin::ui {

// The version line of the editor: the plug-in's version ("v1.0.7"), its processor architecture and
// its plug-in API, separated by blanks, at most 100 characters. Main thread; allocates.
std::string EditorVersionText(const IPluginBase& plugin);

} // namespace plugin::ui
