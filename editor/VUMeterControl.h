#pragma once

#include "graphics/control/IControl.h"
#include "graphics/values/IColor.h"

namespace plugin::ui {

// The editor's needle meter: one channel's level drawn as a needle swinging about a pivot below
// the control's bottom edge. The engine's idle tick sends it meter records (16 bytes, message
// tag 0); the control keeps the newest position and redraws itself on every frame.
// Main thread only: messages, drawing and construction all come from the editor's thread.
class VUMeterControl : public IControl
{
public:
  // Needle angles in degrees (0 points straight up, positive leans right) at positions 0 and 1.
  static constexpr float kAngleMin = -44.f;
  static constexpr float kAngleMax = 44.f;
  // Needle lengths as fractions of the control's width: the red outer end and the grey inner part.
  static constexpr float kOuterRadiusFrac = 0.63f;
  static constexpr float kInnerRadiusFrac = 0.45f;
  static constexpr float kNeedleThickness = 1.5f;
  static constexpr IColor kOuterColor{255, 207, 12, 12};
  static constexpr IColor kInnerColor{255, 206, 206, 206};

  // A meter over bounds, with no parameter; the pivot is fixed here from the bounds.
  explicit VUMeterControl(const IRECT& bounds);
  // The graphics context deletes its controls; main thread, no lock.
  ~VUMeterControl() override;

  // The editor delegate, main thread, with a meter record: message tag 0 sets the needle from
  // the record's value (bytes 12..15) while the control is enabled; a shorter record sets it to
  // 0; other tags are ignored. Never marks dirty; no allocation; data is not kept.
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* data) override;
  // Frame loop, main thread: draws the needle, then marks itself dirty (without its action) so
  // that the next frame draws it again. No allocation.
  void Draw(ICanvas& g) override;

  // Needle position 0..1.
  float NeedlePosition() const noexcept { return mValue; }
  // Needle angle in degrees for the current position.
  float NeedleAngle() const noexcept { return mAngleMin + (mAngleMax - mAngleMin) * mValue; }
  float PivotX() const noexcept { return mPivotX; }
  float PivotY() const noexcept { return mPivotY; }

private:
  float mAngleMin = kAngleMin;
  float mAngleMax = kAngleMax;
  float mValue = 0.f;
  float mPivotX;
  float mPivotY;
};

} // namespace plugin::ui
