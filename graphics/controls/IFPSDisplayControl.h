#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/IControl.h"

namespace plugin::ui {

// Frame-time display: a ring of the last 100 frame intervals fed by the frame loop, drawn as a
// graph with a figure. Main thread only.
class IFPSDisplayControl : public IControl
{
public:
  static constexpr int kNumSamples = 100;
  enum EType : int { kFrequency = 0, kMilliseconds = 1, kPercentage = 2 };

  // No parameter; kind selects what the figure shows.
  IFPSDisplayControl(const IRECT& bounds, int kind = kFrequency, const char* label = "Frame Time");
  ~IFPSDisplayControl() override;

  // The frame loop draws the graph every frame. Main thread.
  void Draw(ICanvas& g) override;

  // Frame loop, once per frame: advances the ring index and stores the interval in seconds.
  void AddSample(float seconds) noexcept
  {
    mReadPos = (mReadPos + 1) % kNumSamples;
    mBuffer[mReadPos] = seconds;
  }
  float GetSample(int idx) const noexcept { return mBuffer[idx]; }
  // Index of the slot written last.
  int GetReadPos() const noexcept { return mReadPos; }
  int GetType() const noexcept { return mType; }
  const char* GetLabel() const noexcept { return mNamedLabel.Get(); }

protected:
  int mType;
  StringBuf mNamedLabel{128};
  float mBuffer[kNumSamples] = {};
  int mReadPos = 0;
};

} // namespace plugin::ui
