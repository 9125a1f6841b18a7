#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/control/IControl.h"
#include "graphics/control/IVectorBase.h"

namespace plugin::ui {

// Frame-time display: a ring of the last 100 frame intervals fed by the frame loop, drawn as a
// graph with the drawing back end's name, a label and an average figure in frames per second,
// milliseconds or percent. A click switches to the next kind. It redraws every frame.
// Main thread only.
class IFPSDisplayControl : public IControl, public IVectorBase
{
public:
  static constexpr int kNumSamples = 100;
  enum EType : int { kFrequency = 0, kMilliseconds = 1, kPercentage = 2 };

  // No parameter; kind selects what the figure shows (an unknown kind shows frequency).
  IFPSDisplayControl(const IRECT& bounds, int kind = kFrequency, const char* label = "Frame Time");
  ~IFPSDisplayControl() override;

  // The next kind, whatever the button or position. Dispatch, main thread.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Always: the graph moves every frame. Frame loop.
  bool IsDirty() override;
  // Background, graph, names and figure. Frame loop.
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

  // The figure of the kind for a sum of the ring's samples ("0.00 FPS" for an empty ring), and
  // for frequency the milliseconds below it (else empty). Both fit 32 characters.
  static void FormatFigures(int kind, double sum, char (&main)[32], char (&below)[32]);
  // Height of a sample's bar as a fraction of the graph, 0..1, for the kind.
  static double BarFraction(int kind, float sample) noexcept;

protected:
  int mType;
  StringBuf mNamedLabel{128};
  float mBuffer[kNumSamples] = {};
  int mReadPos = 0;
  IText mAPIText;
  IText mTopRightText;
  IText mBottomLeftText;
};

} // namespace plugin::ui
