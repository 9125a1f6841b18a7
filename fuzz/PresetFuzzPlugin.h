#pragma once

// A small plug-in for the preset file fuzz targets: every parameter type, a few presets, and
// helpers to check that a refused file changed nothing.
#include "framework/plugin/IPluginAPIBase.h"

#include <vector>

namespace fuzzing {

using namespace plugin;

constexpr int kFuzzUniqueID = 0x4B6C6D6F; // "Klmo"

class PresetFuzzPlugin : public IPluginAPIBase
{
public:
  explicit PresetFuzzPlugin(bool chunks) : IPluginAPIBase(Config(chunks), kAPIVST3)
  {
    InitParamRange(0, 5, 1, "Band %d", 0.5, 0.0, 1.0, 0.001);
    GetParam(6)->InitBool("Switch", false);
    GetParam(7)->InitEnum("Mode", 1, {"A", "B", "C"});
    GetParam(8)->InitInt("Steps", 2, 0, 4);
    GetParam(9)->InitFrequency("Freq", 1000.0, 20.0, 20000.0, 1.0);
    GetParam(10)->InitDouble("Curve", 1.0, 0.0, 10.0, 0.01, "", 0, "", IParam::ShapePowCurve(2.0));
    GetParam(11)->InitDouble("Half", 0.0, -2.0, 2.0, 0.5, "", IParam::kFlagStepped);
    MakePresetFromNamedParams("One", {{0, 0.25}, {8, 3}});
    MakePresetFromNamedParams("Two", {{7, 2}, {9, 440.0}});
  }
  static IPluginConfig Config(bool chunks)
  {
    IPluginConfig c;
    c.mNParams = 12;
    c.mNPresets = 3;
    c.mUniqueID = kFuzzUniqueID;
    c.mVendorVersion = 0x00010007;
    c.mPlugDoesChunks = chunks;
    return c;
  }
};

// Values, preset records and current index: what a refused file must leave alone.
inline std::vector<uint8_t> Snapshot(const IPluginBase& p)
{
  IByteChunk c;
  p.SerializeState(c);
  p.SerializePresets(c);
  const int idx = p.GetCurrentPresetIdx();
  c.Put(&idx);
  return std::vector<uint8_t>(c.GetData(), c.GetData() + c.Size());
}

// Every value within its parameter's range.
inline bool AllValuesValid(const IPluginBase& p)
{
  for (int i = 0; i < p.NParams(); ++i) {
    const IParam* param = p.GetParam(i);
    const double v = param->Value();
    if (!(v >= param->GetMin() && v <= param->GetMax())) return false;
  }
  return true;
}

} // namespace fuzzing
