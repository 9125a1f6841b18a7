#pragma once

// A concrete plug-in base for the framework tests: records every hook call in order.

#include "framework/plugin/IPluginBase.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/queues/ISysEx.h"

#include <string>
#include <vector>

namespace plugin::test {

struct HookCall
{
  std::string hook;
  int idx = 0;
  int source = -1;
  int extra = 0;
  double value = 0.0;
  bool flag = false;

  bool operator==(const HookCall&) const = default;
};

class RecordingPlugin : public IPluginBase
{
public:
  using IEditorDelegate::OnParamChange;

  RecordingPlugin(int nParams, int nPresets) : IPluginBase(nParams, nPresets) {}

  void SetVersion(int packed) { mVersion = packed; }
  void SetAPI(int code) { mAPI = static_cast<EAPI>(code); }
  void SetCurrentPresetIdx(int idx) { mCurrentPresetIdx = idx; }

  void BeginInformHostOfParamChangeFromUI(int paramIdx) override { Record("Begin", paramIdx); }
  void EndInformHostOfParamChangeFromUI(int paramIdx) override { Record("End", paramIdx); }

  void OnParamChange(int paramIdx, EParamSource source, int sampleOffset) override
  {
    Record("OnParamChange", paramIdx, source, sampleOffset);
    IEditorDelegate::OnParamChange(paramIdx, source, sampleOffset);
  }
  void OnParamChange(int paramIdx) override { Record("OnParamChange1", paramIdx); }
  void OnParamChangeUI(int paramIdx, EParamSource source) override
  {
    Record("OnParamChangeUI", paramIdx, source);
  }
  void OnUIOpen() override
  {
    Record("OnUIOpen");
    IPluginBase::OnUIOpen();
  }
  void OnUIClose() override { Record("OnUIClose"); }
  void OnRestoreState() override
  {
    Record("OnRestoreState");
    IPluginBase::OnRestoreState();
  }
  bool OnMessage(int msgTag, int ctrlTag, int dataSize, const void*) override
  {
    Record("OnMessage", msgTag, ctrlTag, dataSize);
    return true;
  }
  void OnMidiMsgUI(const IMidiMsg& msg) override { Record("OnMidiMsgUI", msg.mStatus); }
  void OnSysexMsgUI(const ISysEx& msg) override { Record("OnSysexMsgUI", msg.mSize); }
  void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override
  {
    calls.push_back({"SendParameterValueFromDelegate", paramIdx, -1, 0, value, normalized});
    IPluginBase::SendParameterValueFromDelegate(paramIdx, value, normalized);
  }
  void OnPresetChanged() override { Record("OnPresetChanged"); }

  // Calls of one hook, in order.
  std::vector<HookCall> CallsOf(const std::string& hook) const
  {
    std::vector<HookCall> out;
    for (const HookCall& c : calls)
      if (c.hook == hook) out.push_back(c);
    return out;
  }

  std::vector<HookCall> calls;

private:
  void Record(const char* hook, int idx = 0, int source = -1, int extra = 0)
  {
    calls.push_back({hook, idx, source, extra, 0.0, false});
  }
};

} // namespace plugin::test
