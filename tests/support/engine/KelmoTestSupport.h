#pragma once

#include "engine/IMeterRecord.h"
#include "engine/Kelmo.h"
#include "engine/presets/UserPresetFileIO.h"
#include "engine/presets/UserPresetLocation.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace kelmotest {

// What the plug-in sent to its editor, in order.
struct EditorEvent
{
  enum EKind { kParamValue, kControlMsg } kind;
  int idx;          // parameter index or control tag
  double value;     // parameter value, or the record's value
  bool normalized;  // parameter values only
  int msgTag = -1;  // control messages only
  int dataSize = 0; // control messages only
  IMeterRecord record{};
};

// The plug-in with its editor side recorded and the frame's set-up reachable, as a host binding
// would drive it. Editor deliveries must come on the thread that built the object: any other
// thread reaching the editor is recorded as a fault.
class TestKelmo : public Kelmo
{
public:
  TestKelmo() : Kelmo(plugin::InstanceInfo{}) {}

  void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override
  {
    CheckThread();
    events.push_back({EditorEvent::kParamValue, paramIdx, value, normalized});
  }
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* data) override
  {
    CheckThread();
    EditorEvent e{EditorEvent::kControlMsg, ctrlTag, 0.0, false, msgTag, dataSize};
    if (data && dataSize == static_cast<int>(sizeof(IMeterRecord)))
      std::memcpy(&e.record, data, sizeof e.record);
    e.value = e.record.mValue;
    events.push_back(e);
  }
  float EditorDrawScale() const override { return drawScale; }

  // Sets up processing as the host does: rate, block size, connections, then the reset hook.
  void Prepare(double sampleRate, int blockSize, int nInputsConnected = 2, int nOutputsConnected = 2)
  {
    SetSampleRate(sampleRate);
    SetBlockSize(blockSize);
    SetChannelConnections(plugin::kInput, 0, NChannels(plugin::kInput), false);
    SetChannelConnections(plugin::kInput, 0, nInputsConnected, true);
    SetChannelConnections(plugin::kOutput, 0, NChannels(plugin::kOutput), false);
    SetChannelConnections(plugin::kOutput, 0, nOutputsConnected, true);
    OnReset();
  }

  // One block processed in place on a stereo pair, the side-chain inputs silent, as the frame
  // hands it over (four input pointers, two outputs).
  void ProcessInPlace(double* l, double* r, int nFrames)
  {
    double* ins[4] = {l, r, nullptr, nullptr};
    double* outs[2] = {l, r};
    ProcessBlock(ins, outs, nFrames);
  }

  // Host automation: the normalised value stored (rounded, clamped), then the change hook.
  void Automate(int idx, double normalized, int sampleOffset = 0)
  {
    GetParam(idx)->SetNormalized(normalized);
    OnParamChange(idx, plugin::kHost, sampleOffset);
  }
  // An editor edit landing exactly on a real value, then the change hook as the editor calls it.
  void Edit(int idx, double realValue)
  {
    GetParam(idx)->Set(realValue);
    OnParamChange(idx, plugin::kUI, -1);
  }

  std::vector<EditorEvent> Only(EditorEvent::EKind kind) const
  {
    std::vector<EditorEvent> out;
    for (const EditorEvent& e : events)
      if (e.kind == kind) out.push_back(e);
    return out;
  }

  using plugin::IPluginProcessor::SetSampleRate;
  using plugin::IPluginProcessor::TimeInfo;

  std::vector<EditorEvent> events;
  float drawScale = 0.0f;
  std::atomic<bool> editorReachedOffThread{false};

private:
  void CheckThread()
  {
    if (std::this_thread::get_id() != mBuilder) editorReachedOffThread.store(true);
  }
  std::thread::id mBuilder = std::this_thread::get_id();
};

// Every test that builds the plug-in runs with the user preset folder pointed at a fresh temporary
// folder, so the user's own files are never read or written.
class KelmoTest : public ::testing::Test
{
protected:
  void SetUp() override { SetUserPresetFolder(folder.Path()); }
  void TearDown() override { SetUserPresetFolder(folder.Path() + "/gone-after-test"); }

  // Writes slot's user preset file.
  void WriteSlot(int slot, const std::string& text) const
  {
    ASSERT_TRUE(WriteStringToFile(UserPresetPath(slot), text));
  }

  testsupport::TempFolder folder;
};

// Current value of one parameter.
inline double V(const plugin::IPluginBase& p, int idx)
{
  return p.GetParam(idx)->Value();
}

// Current values of every parameter.
inline std::vector<double> Values(const plugin::IPluginBase& p)
{
  std::vector<double> v;
  for (int i = 0; i < p.NParams(); ++i)
    v.push_back(p.GetParam(i)->Value());
  return v;
}

// Every parameter's default.
inline std::vector<double> Defaults(const plugin::IPluginBase& p)
{
  std::vector<double> v;
  for (int i = 0; i < p.NParams(); ++i)
    v.push_back(p.GetParam(i)->GetDefault());
  return v;
}

} // namespace kelmotest
