#pragma once

#include "tools/render/RenderTarget.h"

#include <memory>

namespace plugin::vst3host {
class PluginInstance;
}

namespace kelmo::render {

// A plug-in loaded from a VST3 bundle and driven only through its VST3 interfaces: parameters
// through the edit controller, presets and user presets as component states, audio through
// process calls with a playing transport at the layout's tempo. Meter values are not reachable
// this way. Factory presets need the compressor's
// parameter layout.
class Vst3Target : public RenderTarget
{
public:
  // Loads the bundle and initialises its first audio effect (the user's own slot 0 preset is
  // not read). Null with a one-line reason in error.
  static std::unique_ptr<Vst3Target> Load(const std::string& bundlePath, std::string& error);
  ~Vst3Target() override;

  const char* PathName() const override { return "vst3"; }
  const std::vector<ParamInfo>& Params() const override { return mParams; }
  bool GetValues(std::vector<double>& values, std::string& error) override;
  bool RestoreValues(const std::vector<double>& values, std::string& error) override;
  bool RecallFactoryPreset(int index, std::string& error) override;
  bool Prepare(const ProcessLayout& layout, std::string& error) override;
  bool Automate(int index, double value, std::string& error) override;
  bool Process(const float* const* main, const float* const* sidechain, float* const* outputs,
               int nFrames) override;
  bool Process(const double* const* main, const double* const* sidechain, double* const* outputs,
               int nFrames) override;
  std::optional<MeterReading> Meter(int) const override { return std::nullopt; }

private:
  Vst3Target() = default;
  // The component state, checked to start with one double per parameter.
  bool ReadState(std::vector<uint8_t>& state, std::string& error) const;

  std::unique_ptr<plugin::vst3host::PluginInstance> mInstance;
  std::vector<ParamInfo> mParams;
  ProcessLayout mLayout;
};

} // namespace kelmo::render
