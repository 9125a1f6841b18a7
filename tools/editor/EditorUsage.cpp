#include "tools/editor/EditorUsage.h"

#include "tools/editor/InputRanges.h"
#include "tools/editor/NamedKeys.h"

#include <string>

namespace kelmo::editor {

namespace {

const char* const kOptions =
    R"(Usage: kelmo-editor [options] OUTPUT.png

Opens the compressor's editor through its VST3 view on the headless system layer (the
plug-in linked in), runs frames at 60 Hz of virtual time while a tone is rendered through
it, so the meters move, plays a script of gestures, and writes the last frame to OUTPUT.png.

Options:
  --bundle DIR        the plug-in bundle whose Contents/Resources hold the editor's fonts
                      and pictures (default: the one the build made)
  --frames N          frames before the script (default 60)
  --backing-scale S   the screen's pixels per point, above 0 and at most 4 (default 1)
  --signal HZ:DBFS    the tone (default 1000:-12; at -200 dBFS or below it is silence)
  --script TEXT       steps separated by ';' (below)
  --help, -h          show this text

)";

const char* const kSteps =
    R"(Script steps (coordinates in editor points):
  frames N            run N frames (the range of --frames)
  move X Y            the mouse moves to X Y
  press X Y           the left button goes down at X Y
  drag X Y            the mouse moves to X Y with the button down
  release X Y         the button comes up at X Y
  rpress X Y          the right button goes down at X Y
  rrelease X Y        the right button comes up at X Y
  wheel X Y DELTA     the wheel turns by DELTA at X Y
  key C               a key typing the one printable character C
  key NAME            a named key (below)
  menu I/J            the answer to the next menu: item I, J of its sub-menu (separators
                      count); "menu -" dismisses it
  signal HZ DBFS      a new tone (the ranges of --signal)
  write FILE          the frame as it is now, as PNG

)";

const char* const kNotes =
    R"(The positions are where the hand moves the mouse: while a knob keeps the cursor hidden at
its press point, each step moves it by the motion since the previous step. Each menu that
opens is printed with its items numbered as "menu I/J" counts them, then what the answer
chose; each address the editor opens is printed too, and so is an answer no menu took.
The preset bar's "<", ">" and name display act at the end of their click animation, about
7 frames after the click.

Presets saved from the editor go to KELMO_USER_PRESET_DIR when it is set; otherwise to a
temporary folder of the tool's own, removed when the tool ends (unless SIGKILL ends it).

Exit status: 0 on success; 2 for a bad command line or script; 1 when the bundle is
missing, not a folder or without the editor's pictures, when a frame cannot be written, or
when a preset named in the save field was not written (the script stops there). Errors are
reported as one line on stderr.
)";

} // namespace

const char* EditorUsageText()
{
  // The ranges and key names are the ones the command line and the script are checked against.
  static const std::string text = std::string(kOptions) + "N is " + kFramesRange + "; for the tone, " +
                                  kSignalRange + ".\n\n" + kSteps + "Named keys: " + NamedKeyList() +
                                  " (any case).\nIn a step, " + kEventNumberRange + ".\n\n" + kNotes;
  return text.c_str();
}

} // namespace kelmo::editor
