#pragma once

#include <string>

namespace kelmo::editor {

// Whether dir is a plug-in bundle the editor can show: a folder whose Contents/Resources hold
// every picture the editor loads (at the scale they are drawn at, or unscaled). False with error
// naming the first thing missing, in one line.
bool CheckEditorBundle(const std::string& dir, std::string& error);

} // namespace kelmo::editor
