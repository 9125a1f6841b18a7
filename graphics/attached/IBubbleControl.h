#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/control/IControl.h"

#include <cstdint>

namespace plugin::ui {

// The value bubble: shows a text beside a control with a call-out arrow. The graphics context
// places it (ICanvas::ShowBubbleControl); the bubble fades in, stays a second and then for as long
// as its caller is held by a pointer, and fades out. Main thread only.
class IBubbleControl : public IControl
{
public:
  enum EState : int { kHidden = 0, kFadingIn = 1, kShown = 2, kFadingOut = 3 };
  // Side of the caller the bubble was placed on (the call-out arrow points back at it).
  enum EPlacement : int { kBelowCaller = 0, kLeftOfCaller = 1, kAbovePoint = 2, kRightOfPoint = 3 };

  // All-zero bounds, no parameter, hidden, ignoring the mouse, in the text style.
  IBubbleControl(const IText& text = DEFAULT_TEXT, const IColor& fillColor = COLOR_WHITE,
                 const IColor& strokeColor = COLOR_BLACK, float roundness = 0.f);
  ~IBubbleControl() override;

  // The frame loop draws shadow, bubble and text. Main thread; no allocation.
  void Draw(ICanvas& g) override;
  // Draws the text inside r. Main thread, while drawing.
  virtual void DrawContent(ICanvas& g, const IRECT& r);
  // Draws the bubble with its call-out arrow around r. Main thread, while drawing.
  virtual void DrawBubble(ICanvas& g, const IRECT& r);
  // Measures str in the bubble's text style into r (the content rectangle). Main thread.
  virtual void MeasureText(const char* str, IRECT& r);

  uint64_t GetTouchId() const noexcept { return mTouchId; }
  EDirection GetDirection() const noexcept { return mDirection; }
  const IRECT& GetMaxBounds() const noexcept { return mMaxBounds; }
  void SetMaxBounds(const IRECT& r) noexcept { mMaxBounds = r; }
  const IRECT& GetBubbleBounds() const noexcept { return mBubbleBounds; }
  IControl* GetCaller() const noexcept { return mCaller; }
  int GetPlacement() const noexcept { return mArrowDir; }
  const char* GetStr() const noexcept { return mStr.Get(); }
  int GetState() const noexcept { return mState; }
  // Padding around the content and the extra room for the arrow on the left and right.
  float GetPadding() const noexcept { return mDropShadowSize; }
  float GetHorizontalMargin() const noexcept { return mHorizontalMargin; }

protected:
  friend class ICanvas;

  // One frame of a fade or of the wait while shown.
  void Animate();

  uint64_t mTouchId = 0;
  EDirection mDirection = EDirection::Vertical;
  IRECT mMaxBounds; // all zero: the whole editor
  IRECT mBubbleBounds;
  IControl* mCaller = nullptr;
  int mArrowDir = kRightOfPoint;
  StringBuf mStr{128};
  IBlend mBlend{EBlend::SourceOver, 0.f};
  float mRoundness;
  float mDropShadowSize = 10.f;
  float mCalloutSize = 10.f;
  float mOpacity = 0.95f;
  float mStrokeThickness = 2.f;
  float mHorizontalMargin = 5.f;
  IColor mFillColor;
  IColor mStrokeColor;
  int mState = kHidden;
};

} // namespace plugin::ui
