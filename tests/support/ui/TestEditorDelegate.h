#pragma once

#include "graphics/ICanvasEditorDelegate.h"

#include <ostream>
#include <string>
#include <vector>

namespace plugin::ui::test {

// One call the editor made on its delegate.
struct DelegateCall
{
  std::string op;     // "Begin", "Send", "End", "ParamChangeUI", "Resize", "Midi", "Layout", "UIOpen" ...
  int index = -1;     // parameter index, or width for "Resize", status byte for "Midi"
  double value = 0.0; // normalised value for "Send", height for "Resize", note for "Midi"
  int extra = 0;      // source for "ParamChangeUI", needsPlatformResize for "Resize", velocity for "Midi"

  bool operator==(const DelegateCall&) const = default;
};

std::ostream& operator<<(std::ostream& os, const DelegateCall& call);

// Editor delegate with scripted parameters that records every call the editor makes on it:
// begin, send and end of edits, UI-side changes, resizes, MIDI, layout and opening.
class TestEditorDelegate : public ICanvasEditorDelegate
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

  void BeginInformHostOfParamChangeFromUI(int paramIdx) override;
  void EndInformHostOfParamChangeFromUI(int paramIdx) override;
  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override;
  void OnParamChangeUI(int paramIdx, EParamSource source) override;
  bool EditorResizeFromUI(int width, int height, bool needsPlatformResize) override;
  void DeferMidiMsg(const IMidiMsg& msg) override;
  void SendMidiMsgFromUI(const IMidiMsg& msg) override;
  void LayoutUI(ICanvas* ui) override;
  void OnUIOpen() override;

  // Calls with the given op, in order.
  std::vector<DelegateCall> CallsNamed(const std::string& op) const;

  std::vector<DelegateCall> calls;
  bool resizeResult = true; // what EditorResizeFromUI answers
};

} // namespace plugin::ui::test
