#pragma once

// A complete plug-in on the framework for the tests: parameters of every type and shape, two
// factory presets, a block process out[c] = gain * in[c] + c, and a log of the hooks the framework
// calls. The log is main-thread only; the audio path only counts blocks, so it never allocates.
#include "framework/plugin/IPluginAPIBase.h"
#include "framework/processor/IPluginProcessor.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace testhost {

using namespace plugin;

enum ETestParams {
  kGain = 0, // linear factor 0..4, step 0.01, group "Main"
  kFreq,     // 20..20000 Hz, exponential
  kCurve,    // 0..100, power curve 3
  kBypass,   // bool
  kMode,     // enum of four
  kSteps,    // int 0..4, group "Dyn"
  kAttack,   // 1..1000 ms, group "Dyn"
  kHalf,     // -2..2 stepped by 0.5, negated display, group "Dyn"
  kNumTestParams
};

constexpr int kTestUniqueID = 0x4B6C6D6F; // "Klmo"

struct TestOptions
{
  bool chunks = false;
  bool hasUI = true;
  int latency = 0;
  const char* io = "1-1 2-2";
  int nPresets = 4;
  int uniqueID = kTestUniqueID;
};

// One hook call as the log keeps it.
struct HookEvent
{
  std::string what;
  int idx = -1;
  double value = 0.0;
  int source = -1;
  int offset = 0;
  bool operator==(const HookEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const HookEvent& e)
{
  return os << "{" << e.what << " " << e.idx << " " << e.value << " src " << e.source << " off " << e.offset
            << "}";
}

inline IPluginConfig MakeTestConfig(const TestOptions& o)
{
  IPluginConfig c;
  c.mNParams = kNumTestParams;
  c.mNPresets = o.nPresets;
  c.mChannelIOStr = o.io;
  c.mPluginName = "Test Plug-in";
  c.mProductName = "Test Product";
  c.mMfrName = "Test Maker";
  c.mMfrID = 0x5175696C;
  c.mVendorVersion = 0x00020103; // 2.1.3
  c.mUniqueID = o.uniqueID;
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
    GetParam(kGain)->InitDouble("Gain", 1.0, 0.0, 4.0, 0.01, "x", 0, "Main");
    GetParam(kFreq)->InitFrequency("Freq", 1000.0, 20.0, 20000.0, 1.0);
    GetParam(kCurve)->InitDouble("Curve", 10.0, 0.0, 100.0, 0.01, "%", 0, "", IParam::ShapePowCurve(3.0));
    GetParam(kBypass)->InitBool("Bypass", false);
    GetParam(kMode)->InitEnum("Mode", 1, {"Clean", "Warm", "Hot", "Broken"});
    GetParam(kSteps)->InitInt("Steps", 2, 0, 4, "", 0, "Dyn");
    GetParam(kAttack)->InitMilliseconds("Attack", 10.0, 1.0, 1000.0, 0, "Dyn");
    GetParam(kHalf)->InitDouble("Half", 0.0, -2.0, 2.0, 0.5, "",
                                IParam::kFlagStepped | IParam::kFlagNegateDisplay, "Dyn");
    SetChannelLabel(kInput, 0, "Main L");
    SetChannelLabel(kInput, 1, "Main R");
    MakePresetFromNamedParams("Loud", {{kGain, 2.0}, {kMode, 2}});
    MakePresetFromNamedParams("Quiet", {{kGain, 0.5}, {kSteps, 4}});
  }

  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    blocks.fetch_add(1, std::memory_order_relaxed);
    const double gain = GetParam(kGain)->Value();
    const int nIn = inputs ? NChannels(kInput) : 0;
    for (int c = 0; c < NChannels(kOutput); ++c)
      for (int f = 0; f < nFrames; ++f)
        outputs[c][f] = (c < nIn ? gain * inputs[c][f] : 0.0) + c;
  }
  bool SendMidiMsg(const IMidiMsg&) override { return true; }

  // The host sets a normalised value (automation or a controller call), as a binding does.
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
  void SetCurrentPresetIdx(int idx) { mCurrentPresetIdx = idx; }

  void OnParamChange(int idx, EParamSource source, int offset) override
  {
    Record("change", idx, GetParam(idx)->Value(), source, offset);
  }
  void OnParamChangeUI(int idx, EParamSource source) override { Record("changeUI", idx, 0, source); }
  void OnIdle() override { Record("idle"); }
  void OnMidiMsgUI(const IMidiMsg& m) override { Record("midiUI", m.mData1, m.mStatus, -1, m.mOffset); }
  void OnSysexMsgUI(const ISysEx& s) override { Record("sysexUI", s.mSize, s.mData[0], -1, s.mOffset); }
  bool OnMessage(int msgTag, int ctrlTag, int dataSize, const void*) override
  {
    Record("message", msgTag, dataSize, ctrlTag);
    return true;
  }
  void BeginInformHostOfParamChange(int idx) override { Record("begin", idx); }
  void InformHostOfParamChange(int idx, double normalized) override { Record("perform", idx, normalized); }
  void EndInformHostOfParamChange(int idx) override { Record("end", idx); }
  void HostSpecificInit() override { Record("hostInit", GetHost()); }
  void OnHostIdentified() override { Record("hostIdentified", GetHost()); }
  void OnPresetChanged() override { Record("presetChanged", GetCurrentPresetIdx()); }
  void InformHostOfPresetChange() override { Record("hostPresetChange", GetCurrentPresetIdx()); }
  void SendParameterValueFromDelegate(int idx, double v, bool normalized) override
  {
    Record("toEditor", idx, v, normalized);
  }
  bool EditorResize(int width, int height) override
  {
    Record("resize", width, height);
    return true;
  }
  void Record(const char* what, int idx = -1, double value = 0, int source = -1, int offset = 0)
  {
    log.push_back({what, idx, value, source, offset});
  }

  // Log entries named what, in order.
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

// Index of the first value that differs by more than tolerance, or -1 (also -1 for equal NaNs).
inline int FirstDifference(const std::vector<double>& a, const std::vector<double>& b, double tolerance = 0.0)
{
  if (a.size() != b.size()) return static_cast<int>(std::min(a.size(), b.size()));
  for (size_t i = 0; i < a.size(); ++i)
    if (!(std::fabs(a[i] - b[i]) <= tolerance) && !(std::isnan(a[i]) && std::isnan(b[i])))
      return static_cast<int>(i);
  return -1;
}

// Sets every parameter from normalized values, so that no value is still its default.
inline void SetAllNormalized(IPluginBase& p, double n)
{
  for (int i = 0; i < p.NParams(); ++i)
    p.GetParam(i)->SetNormalized(n);
}

// A parameter state holding values: native doubles in order.
inline std::vector<uint8_t> StateBytes(const std::vector<double>& values)
{
  std::vector<uint8_t> out(values.size() * 8);
  std::memcpy(out.data(), values.data(), out.size());
  return out;
}

// A chunk's bytes, and a chunk holding given bytes.
inline std::vector<uint8_t> Bytes(const IByteChunk& c, int pos = 0, int n = -1)
{
  return std::vector<uint8_t>(c.GetData() + pos, c.GetData() + (n < 0 ? c.Size() : pos + n));
}
inline IByteChunk Chunk(const std::vector<uint8_t>& bytes)
{
  IByteChunk c;
  c.PutBytes(bytes.data(), static_cast<int>(bytes.size()));
  return c;
}

// Values, preset records and current preset: everything a refused load must leave alone.
inline std::vector<uint8_t> Snapshot(const IPluginBase& p)
{
  IByteChunk c;
  p.SerializeState(c);
  p.SerializePresets(c);
  const int idx = p.GetCurrentPresetIdx();
  c.Put(&idx);
  return Bytes(c);
}

// True when every value lies within its parameter's range.
inline bool AllValuesValid(const IPluginBase& p)
{
  for (int i = 0; i < p.NParams(); ++i)
    if (!(p.GetParam(i)->Value() >= p.GetParam(i)->GetMin() &&
          p.GetParam(i)->Value() <= p.GetParam(i)->GetMax()))
      return false;
  return true;
}

} // namespace testhost
