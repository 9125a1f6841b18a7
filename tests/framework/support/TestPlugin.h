#pragma once

#include "framework/plugin/IPluginAPIBase.h"
#include "framework/processor/IPluginProcessor.h"

#include <atomic>
#include <cmath>
#include <string>
#include <vector>

// A complete plug-in on the framework for tests: parameters of every type and shape, a gain block
// process, and a log of every hook the framework calls. The log is main-thread only; the audio
// path records nothing but an atomic block count, so it stays allocation-free.
namespace testhost {

using namespace plugin;

enum ETestParams {
  kParamGain = 0, // double, linear, dB, group "Main"
  kParamFreq,     // double, exponential, Hz
  kParamCurve,    // double, power curve
  kParamBypass,   // bool
  kParamMode,     // enum of four
  kParamSteps,    // int 0..4
  kParamAttack,   // milliseconds, group "Dynamics"
  kParamHalf,     // stepped double, step 0.5, group "Dynamics"
  kNumTestParams
};

constexpr int kNumTestPresets = 4;
constexpr int kTestUniqueID = 0x4B6C6D6F; // 'Klmo'
constexpr int kTestVersion = 0x00010007;  // 1.0.7

// One hook call as the log keeps it.
struct HookEvent
{
  std::string what;
  int idx = -1;
  double value = 0.0;
  int source = -1;
  int offset = 0;

  bool operator==(const HookEvent& o) const
  {
    return what == o.what && idx == o.idx && value == o.value && source == o.source && offset == o.offset;
  }
};

inline std::ostream& operator<<(std::ostream& os, const HookEvent& e)
{
  return os << "{" << e.what << " " << e.idx << " " << e.value << " src " << e.source << " off " << e.offset
            << "}";
}

struct TestOptions
{
  bool chunks = false;
  bool hasUI = true;
  int latency = 0;
  const char* io = "1-1 2-2";
};

inline IPluginConfig MakeTestConfig(const TestOptions& o)
{
  IPluginConfig c;
  c.mNParams = kNumTestParams;
  c.mNPresets = kNumTestPresets;
  c.mChannelIOStr = o.io;
  c.mPluginName = "Test Plug-in";
  c.mProductName = "Test Product";
  c.mMfrName = "Test Maker";
  c.mVendorVersion = kTestVersion;
  c.mUniqueID = kTestUniqueID;
  c.mMfrID = 0x5175696C;
  c.mLatency = o.latency;
  c.mPlugDoesChunks = o.chunks;
  c.mPlugHasUI = o.hasUI;
  c.mPlugWidth = 400;
  c.mPlugHeight = 300;
  c.mPlugMinWidth = 900; // given reversed on purpose: the base reorders them
  c.mPlugMaxWidth = 800;
  return c;
}

class TestPlugin : public IPluginAPIBase, public IPluginProcessor
{
public:
  explicit TestPlugin(const TestOptions& o = TestOptions{})
      : IPluginAPIBase(MakeTestConfig(o), kAPIVST3), IPluginProcessor(MakeTestConfig(o), kAPIVST3)
  {
    GetParam(kParamGain)->InitGain("Gain", 0.0, -70.0, 12.0, 0.1, 0, "Main");
    GetParam(kParamFreq)->InitFrequency("Frequency", 1000.0, 20.0, 20000.0, 1.0);
    GetParam(kParamCurve)
        ->InitDouble("Curve", 10.0, 0.0, 100.0, 0.01, "%", 0, "", IParam::ShapePowCurve(3.0));
    GetParam(kParamBypass)->InitBool("Bypass", false);
    GetParam(kParamMode)->InitEnum("Mode", 1, {"Clean", "Warm", "Hot", "Broken"});
    GetParam(kParamSteps)->InitInt("Steps", 2, 0, 4);
    GetParam(kParamAttack)->InitMilliseconds("Attack", 10.0, 1.0, 1000.0, 0, "Dynamics");
    GetParam(kParamHalf)->InitDouble("Half", 0.0, -2.0, 2.0, 0.5, "", IParam::kFlagStepped, "Dynamics");
    SetChannelLabel(kInput, 0, "Main L");
    SetChannelLabel(kInput, 1, "Main R");
    MakePresetFromNamedParams("Loud", {{kParamGain, 6.0}, {kParamMode, 2}});
    MakePresetFromNamedParams("Quiet", {{kParamGain, -20.0}, {kParamSteps, 4}});
  }

  // --- Audio ---

  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    blocks.fetch_add(1, std::memory_order_relaxed);
    const double gain =
        GetParam(kParamBypass)->Value() > 0.5 ? 1.0 : std::pow(10.0, GetParam(kParamGain)->Value() / 20.0);
    const int nIn = inputs ? NChannels(kInput) : 0;
    for (int c = 0; c < NChannels(kOutput); ++c)
      for (int f = 0; f < nFrames; ++f)
        outputs[c][f] = c < nIn ? inputs[c][f] * gain : 0.0;
  }
  bool SendMidiMsg(const IMidiMsg&) override { return true; }

  // --- Host side: what a binding does ---

  // The host sets a normalised value (automation or a controller call): rounded, then clamped.
  void HostSetNormalized(int idx, double normalized, int sampleOffset = 0)
  {
    GetParam(idx)->SetNormalized(normalized);
    OnParamChange(idx, kHost, sampleOffset);
  }
  // The audio side's ends of the queues.
  bool AudioPushMidi(const IMidiMsg& m) { return mMidiMsgsFromProcessor.Push(m); }
  bool AudioPushSysEx(const SysExData& d) { return mSysExDataFromProcessor.Push(d); }
  bool AudioPopMidi(IMidiMsg& m) { return mMidiMsgsFromEditor.Pop(m); }
  bool AudioPopSysEx(SysExData& d) { return mSysExDataFromEditor.Pop(d); }
  bool PopParamChange(IParamChange& c) { return mParamChangeFromProcessor.Pop(c); }
  Timer* GetTimer() { return mTimer.get(); }

  using IPluginProcessor::SetBypassed;
  using IPluginProcessor::SetSampleRate;
  using IPluginProcessor::TimeInfo;

  // --- Recorded hooks ---

  void OnParamChange(int idx, EParamSource source, int offset) override
  {
    log.push_back({"change", idx, GetParam(idx)->Value(), source, offset});
  }
  void OnParamChangeUI(int idx, EParamSource source) override
  {
    log.push_back({"changeUI", idx, 0.0, source});
  }
  void OnIdle() override { log.push_back({"idle"}); }
  void OnMidiMsgUI(const IMidiMsg& m) override
  {
    log.push_back({"midiUI", m.mData1, static_cast<double>(m.mStatus), -1, m.mOffset});
  }
  void OnSysexMsgUI(const ISysEx& s) override
  {
    log.push_back({"sysexUI", s.mSize, s.mData ? static_cast<double>(s.mData[0]) : -1.0, -1, s.mOffset});
  }
  void BeginInformHostOfParamChange(int idx) override { log.push_back({"begin", idx}); }
  void InformHostOfParamChange(int idx, double normalized) override
  {
    log.push_back({"perform", idx, normalized});
  }
  void EndInformHostOfParamChange(int idx) override { log.push_back({"end", idx}); }
  void HostSpecificInit() override { log.push_back({"hostInit", GetHost()}); }
  void OnHostIdentified() override { log.push_back({"hostIdentified", GetHost()}); }
  void OnPresetChanged() override { log.push_back({"presetChanged", GetCurrentPresetIdx()}); }
  void InformHostOfPresetChange() override { log.push_back({"hostPresetChange", GetCurrentPresetIdx()}); }
  void SendParameterValueFromDelegate(int idx, double value, bool normalized) override
  {
    log.push_back({"toEditor", idx, value, normalized ? 1 : 0});
  }
  bool EditorResize(int width, int height) override
  {
    log.push_back({"resize", width, static_cast<double>(height)});
    return true;
  }

  // Log entries whose name is what.
  std::vector<HookEvent> Only(const std::string& what) const
  {
    std::vector<HookEvent> out;
    for (const HookEvent& e : log)
      if (e.what == what) out.push_back(e);
    return out;
  }

  std::vector<HookEvent> log;
  std::atomic<int> blocks{0};
};

// Current values of every parameter.
inline std::vector<double> Values(const IPluginBase& p)
{
  std::vector<double> v;
  for (int i = 0; i < p.NParams(); ++i)
    v.push_back(p.GetParam(i)->Value());
  return v;
}

} // namespace testhost
