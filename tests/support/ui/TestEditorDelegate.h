#pragma once

#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <ostream>
#include <string>
#include <vector>

namespace plugin::ui::test {

// One call the editor made on its delegate.
struct DelegateCall
{
  std::string op;     // "Begin", "Send", "End", "ParamChangeUI", "Resize", "Midi", "MidiFromUI", "Layout",
                      // "UIOpen", "HostMenu" (parameter, x, y)
  int index = -1;     // parameter index, or width for "Resize", status byte for MIDI
  double value = 0.0; // normalised value for "Send", height for "Resize", note for MIDI
  int extra = 0;      // source for "ParamChangeUI", needsPlatformResize for "Resize", velocity for MIDI

  bool operator==(const DelegateCall&) const = default;
};

std::ostream& operator<<(std::ostream& os, const DelegateCall& call);

// Editor delegate with scripted parameters that records every call the editor makes on it:
// begin, send and end of edits, UI-side changes, resizes, MIDI, layout and opening.
class TestEditorDelegate : public ICanvasEditorDelegate<>
{
public:
  // Parameters defined by the constructor; further indices keep the default definition.
  enum : int {
    kGain = 0,   // continuous "Gain", -12..12 dB, step 0.1, default 0
    kSteps = 1,  // integer "Steps", 0..10, default 5
    kMode = 2,   // enumerated "Mode": "Off", "Soft", "Hard", default 1
    kBypass = 3, // boolean "Bypass", default off
    kNumScripted = 4
  };

  explicit TestEditorDelegate(int nParams = kNumScripted);

  void BeginInformHostOfParamChangeFromUI(int paramIdx) override { calls.push_back({"Begin", paramIdx}); }
  void EndInformHostOfParamChangeFromUI(int paramIdx) override { calls.push_back({"End", paramIdx}); }
  // Recorded, then stored by the base.
  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override;
  void OnParamChangeUI(int paramIdx, EParamSource src) override
  {
    calls.push_back({"ParamChangeUI", paramIdx, 0, src});
  }
  // Recorded; answers resizeResult.
  bool EditorResizeFromUI(int width, int height, bool needsPlatformResize) override;
  void DeferMidiMsg(const IMidiMsg& msg) override { RecordMidi("Midi", msg); }
  void SendMidiMsgFromUI(const IMidiMsg& msg) override { RecordMidi("MidiFromUI", msg); }
  // Recorded, then the layout function runs.
  void LayoutUI(ICanvas* ui) override;
  // Recorded, then the base sends every value to the editor.
  void OnUIOpen() override;
  // Recorded with the item texts and the target; answers hostMenuResult.
  bool PopupHostContextMenu(IControl* target, int paramIdx, IPopupMenu& items, int x, int y) override;

  // Calls with the given op, in order.
  std::vector<DelegateCall> CallsNamed(const std::string& op) const;

  std::vector<DelegateCall> calls;
  bool resizeResult = true; // what EditorResizeFromUI answers
  bool hostMenuResult = true;
  std::vector<std::string> hostMenuItems; // texts of the last host menu's own items, depth first
  IControl* hostMenuTarget = nullptr;

private:
  void RecordMidi(const char* op, const IMidiMsg& msg);
};

} // namespace plugin::ui::test
