#pragma once

#include "tools/render/RenderTarget.h"

#include <memory>

namespace kelmo::render {

// The compressor built into this program, driven through its processor frame the way a host
// binding drives it: channel connections and buffers attached per block, then the frame's 32- or
// 64-bit processing.
class EngineTarget : public RenderTarget
{
public:
  // A fresh plug-in at its defaults (the user's own slot 0 preset is not read).
  EngineTarget();
  ~EngineTarget() override;

  const char* PathName() const override { return "engine"; }
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
  std::optional<MeterReading> Meter(int channel) const override;

private:
  class Plugin;
  template <typename T>
  bool Run(const T* const* main, const T* const* sidechain, T* const* outputs, int nFrames);

  Plugin* mPlugin = nullptr; // reference-counted; released by the destructor
  std::vector<ParamInfo> mParams;
  ProcessLayout mLayout;
  bool mPrepared = false;
};

} // namespace kelmo::render
