#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kelmo::editor {

// kelmo-editor [--bundle DIR] [--frames N] [--backing-scale S] [--signal HZ:DBFS] [--script TEXT]
//              OUTPUT.png
// Opens the compressor's editor through its VST3 view, runs N frames (default 60) at 60 Hz while
// the signal (default 1000 Hz at -12 dBFS) is rendered through the plug-in, plays the script
// (see GestureScript.h), and writes the last frame to OUTPUT.png. --help or -h writes the whole
// usage (EditorUsage.h) to out. Returns the exit status: 0, 2 for a bad command line, 1 when the
// editor cannot open, a frame cannot be written or a preset saved from the editor was not
// written; the problem goes to err in one line.
int RunEditorCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kelmo::editor
