#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kelmo::editor {

class EditorSession;

// One step of a gesture script.
struct ScriptStep
{
  enum class Kind {
    Frames,
    Move,
    Press,
    Drag,
    Release,
    RightPress,
    RightRelease,
    Wheel,
    Key,
    Menu,
    Signal,
    Write
  };
  Kind kind = Kind::Frames;
  std::vector<double> numbers; // frames; x y; x y delta; hz dbfs
  std::string text;            // the key's character or name, the menu path, the file to write
};

// Parses a script: steps separated by ';', each a word and its arguments separated by blanks:
//   frames N | move X Y | press X Y | drag X Y | release X Y | rpress X Y | rrelease X Y |
//   wheel X Y DELTA | key C | key NAME | menu I[/J...] (or "menu -" to dismiss) | signal HZ DBFS |
//   write FILE
// Coordinates are toolkit units; C is one printable character, NAME one of NamedKeyList(); every
// number fits a float (FitsEvent), and frames and signal take the ranges the command line takes
// (InputRanges.h). None, with error naming the bad step, on malformed input.
std::optional<std::vector<ScriptStep>> ParseGestureScript(const std::string& script, std::string& error);

// Plays the steps on session, telling out after each step what the editor showed outside its
// picture (menus with their numbers, addresses opened; see ShownReport) and, at the end, the menu
// answers no menu took. False with error set, at the step, when a frame cannot be written or a
// preset named in the save field did not reach its file (PresetSaveWatch).
bool PlayGestureScript(EditorSession& session, const std::vector<ScriptStep>& steps, std::ostream& out,
                       std::string& error);

} // namespace kelmo::editor
