#include "tools/editor/EditorCommand.h"

#include "engine/presets/UserPresetLocation.h"
#include "tools/editor/BundleCheck.h"
#include "tools/editor/EditorSession.h"
#include "tools/editor/EditorUsage.h"
#include "tools/editor/GestureScript.h"
#include "tools/editor/InputRanges.h"
#include "tools/render/UserPresetIsolation.h"

#include <cstdlib>
#include <optional>
#include <ostream>

namespace kelmo::editor {

namespace {

// Whether the person pointed the plug-in at a user preset folder of their own.
bool UserPresetFolderGiven()
{
  const char* folder = std::getenv(kUserPresetFolderEnv);
  return folder && *folder;
}

} // namespace

int RunEditorCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
  SessionOptions options;
#ifdef KELMO_EDITOR_BUNDLE_DIR
  options.bundleDir = KELMO_EDITOR_BUNDLE_DIR;
#endif
  double frames = 60.0, hz = 1000.0, dbfs = -12.0;
  std::string script, output;
  const auto fail = [&err](const std::string& message) {
    err << "kelmo-editor: " << message << '\n';
    return 2;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--help" || a == "-h") {
      out << EditorUsageText();
      return 0;
    }
    if (a == "--bundle" || a == "--frames" || a == "--backing-scale" || a == "--signal" || a == "--script") {
      if (!hasValue) return fail(a + " needs a value");
      const std::string& v = args[++i];
      if (a == "--bundle") {
        options.bundleDir = v;
      } else if (a == "--frames") {
        if (!ParseNumber(v, frames) || !ValidFrameCount(frames))
          return fail(std::string("--frames takes ") + kFramesRange);
      } else if (a == "--backing-scale") {
        if (!ParseNumber(v, options.backingScale) || options.backingScale <= 0.0 ||
            options.backingScale > 4.0)
          return fail("--backing-scale takes a number above 0, at most 4");
      } else if (a == "--signal") {
        const auto colon = v.find(':');
        if (colon == std::string::npos || !ParseNumber(v.substr(0, colon), hz) ||
            !ParseNumber(v.substr(colon + 1), dbfs) || !ValidSignal(hz, dbfs))
          return fail(std::string("--signal takes HZ:DBFS (") + kSignalRange + ")");
      } else {
        script = v;
      }
    } else if (!a.empty() && a[0] == '-') {
      return fail("unknown option " + a + " (see --help)");
    } else if (output.empty()) {
      output = a;
    } else {
      return fail("one output file only");
    }
  }
  if (output.empty()) return fail("no output file (see --help)");
  std::string error;
  const auto steps = ParseGestureScript(script, error);
  if (!steps) return fail(error);
  if (!CheckEditorBundle(options.bundleDir, error)) {
    err << "kelmo-editor: " << error << '\n';
    return 1;
  }

  // The person's own preset folder when they named one; otherwise a folder of the tool's own, so
  // that a session never reads or writes the user's presets.
  std::optional<kelmo::render::UserPresetIsolation> isolation;
  if (!UserPresetFolderGiven()) isolation.emplace("kelmo-editor");
  auto session = EditorSession::Open(options, error);
  if (!session) {
    err << "kelmo-editor: " << error << '\n';
    return 1;
  }
  session->SetSignal(hz, dbfs);
  session->RunFrames(static_cast<int>(frames));
  if (!PlayGestureScript(*session, *steps, out, error)) {
    err << "kelmo-editor: " << error << '\n';
    return 1;
  }
  const Frame frame = session->Read();
  if (!frame.WritePng(output)) {
    err << "kelmo-editor: cannot write " << output << '\n';
    return 1;
  }
  out << "kelmo-editor: " << frame.width << " x " << frame.height << " frame written to " << output << '\n';
  return 0;
}

} // namespace kelmo::editor
