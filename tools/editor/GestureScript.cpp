#include "tools/editor/GestureScript.h"

#include "tools/editor/EditorSession.h"
#include "tools/editor/InputRanges.h"
#include "tools/editor/NamedKeys.h"
#include "tools/editor/PresetSaveWatch.h"
#include "tools/editor/ShownReport.h"

#include "platform/mac/system/ScriptedUser.h"

#include <map>
#include <ostream>
#include <sstream>

namespace kelmo::editor {

namespace {

struct StepShape
{
  ScriptStep::Kind kind;
  int numbers; // numeric arguments; -1: one text argument
};

const std::map<std::string, StepShape>& Shapes()
{
  using K = ScriptStep::Kind;
  static const std::map<std::string, StepShape> shapes = {
      {"frames", {K::Frames, 1}},
      {"move", {K::Move, 2}},
      {"press", {K::Press, 2}},
      {"drag", {K::Drag, 2}},
      {"release", {K::Release, 2}},
      {"rpress", {K::RightPress, 2}},
      {"rrelease", {K::RightRelease, 2}},
      {"wheel", {K::Wheel, 3}},
      {"key", {K::Key, -1}},
      {"menu", {K::Menu, -1}},
      {"signal", {K::Signal, 2}},
      {"write", {K::Write, -1}},
  };
  return shapes;
}

std::string Trim(const std::string& s)
{
  const auto first = s.find_first_not_of(" \t\n");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\n") - first + 1);
}

// "2/0" -> {2, 0}; "-" -> {}; none for anything else.
std::optional<std::vector<int>> MenuPath(const std::string& text)
{
  std::vector<int> path;
  if (text == "-") return path;
  if (text.empty() || text.back() == '/') return std::nullopt;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, '/');) {
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos || part.size() > 6)
      return std::nullopt;
    path.push_back(std::stoi(part));
  }
  if (path.empty()) return std::nullopt;
  return path;
}

// A key step's text: one printable ASCII character or a key name.
bool KeyTextOk(const std::string& text)
{
  if (text.size() == 1) return text[0] > ' ' && text[0] < 0x7f;
  return NamedKey(text).has_value();
}

// Why the numbers of a step are out of range; "" when they are not.
std::string RangeProblem(const ScriptStep& step)
{
  if (step.kind == ScriptStep::Kind::Frames && !ValidFrameCount(step.numbers[0]))
    return std::string("frames takes ") + kFramesRange;
  if (step.kind == ScriptStep::Kind::Signal && !ValidSignal(step.numbers[0], step.numbers[1]))
    return std::string("signal takes HZ DBFS (") + kSignalRange + ")";
  return {};
}

// Tells out which menu answers no menu took: the last ones given, since menus take them in turn.
void WriteUnusedMenuAnswers(const std::vector<ScriptStep>& steps, std::ostream& out)
{
  std::size_t waiting = plugin::sys::ScriptedUser::Shared().MenuAnswersWaiting();
  if (waiting == 0) return;
  std::vector<std::string> unused;
  for (auto step = steps.rbegin(); step != steps.rend() && unused.size() < waiting; ++step)
    if (step->kind == ScriptStep::Kind::Menu) unused.insert(unused.begin(), "\"menu " + step->text + "\"");
  out << "kelmo-editor: no menu opened to take the answer" << (unused.size() > 1 ? "s " : " ");
  for (std::size_t i = 0; i < unused.size(); ++i)
    out << (i ? ", " : "") << unused[i];
  out << '\n';
}

} // namespace

std::optional<std::vector<ScriptStep>> ParseGestureScript(const std::string& script, std::string& error)
{
  std::vector<ScriptStep> steps;
  std::istringstream in(script);
  for (std::string raw; std::getline(in, raw, ';');) {
    const std::string text = Trim(raw);
    if (text.empty()) continue;
    std::istringstream words(text);
    std::string word;
    words >> word;
    const auto shape = Shapes().find(word);
    if (shape == Shapes().end()) {
      error = "unknown script step \"" + text + "\"";
      return std::nullopt;
    }
    ScriptStep step;
    step.kind = shape->second.kind;
    if (shape->second.numbers < 0) {
      words >> step.text;
      std::string extra;
      const bool menuOk = step.kind != ScriptStep::Kind::Menu || MenuPath(step.text).has_value();
      const bool keyOk = step.kind != ScriptStep::Kind::Key || KeyTextOk(step.text);
      if (step.text.empty() || (words >> extra) || !menuOk || !keyOk) {
        error = "bad script step \"" + text + "\"";
        return std::nullopt;
      }
    } else {
      for (int i = 0; i < shape->second.numbers; ++i) {
        double v = 0.0;
        if (!(words >> v)) {
          error = "bad script step \"" + text + "\"";
          return std::nullopt;
        }
        // Every number ends in an event, whose fields are float: one beyond would be infinite.
        if (!FitsEvent(v)) {
          error = "bad script step \"" + text + "\": " + kEventNumberRange;
          return std::nullopt;
        }
        step.numbers.push_back(v);
      }
      std::string extra;
      if (words >> extra) {
        error = "bad script step \"" + text + "\"";
        return std::nullopt;
      }
      if (const std::string problem = RangeProblem(step); !problem.empty()) {
        error = "bad script step \"" + text + "\": " + problem;
        return std::nullopt;
      }
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

bool PlayGestureScript(EditorSession& session, const std::vector<ScriptStep>& steps, std::ostream& out,
                       std::string& error)
{
  using K = ScriptStep::Kind;
  ShownReport shown;
  PresetSaveWatch saves;
  for (const ScriptStep& step : steps) {
    saves.Before(session);
    const auto x = step.numbers.size() > 0 ? static_cast<float>(step.numbers[0]) : 0.f;
    const auto y = step.numbers.size() > 1 ? static_cast<float>(step.numbers[1]) : 0.f;
    switch (step.kind) {
    case K::Frames:
      session.RunFrames(static_cast<int>(step.numbers[0]));
      break;
    case K::Move:
      session.MoveMouse(x, y);
      break;
    case K::Press:
      session.Press(x, y);
      break;
    case K::Drag:
      session.Drag(x, y);
      break;
    case K::Release:
      session.Release(x, y);
      break;
    case K::RightPress:
      session.Press(x, y, true);
      break;
    case K::RightRelease:
      session.Release(x, y, true);
      break;
    case K::Wheel:
      session.Wheel(x, y, step.numbers[2]);
      break;
    case K::Key:
      if (const auto named = NamedKey(step.text))
        session.Key(named->character, named->keyCode);
      else
        session.Key(static_cast<char16_t>(static_cast<unsigned char>(step.text[0])));
      break;
    case K::Menu:
      session.AnswerMenu(*MenuPath(step.text));
      break;
    case K::Signal:
      session.SetSignal(step.numbers[0], step.numbers[1]);
      break;
    case K::Write:
      if (!session.Read().WritePng(step.text)) {
        error = "cannot write the frame to " + step.text;
        return false;
      }
      break;
    }
    shown.WriteNew(out);
    if (!saves.After(session, error)) return false;
  }
  WriteUnusedMenuAnswers(steps, out);
  return true;
}

} // namespace kelmo::editor
