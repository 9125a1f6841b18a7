#include "graphics/canvas/ICanvas.h"

#include "graphics/attached/IBubbleControl.h"

#include <atomic>
#include <vector>

// Placing and showing value bubbles.

namespace plugin::ui {

namespace {

// A bubble is moved beside its caller when it would end closer than this to the right edge.
constexpr float kBubbleRightMargin = 15.f;

// Next bubble to use for a new touch, shared by every editor of the process.
std::atomic<int> gNextBubble{0};

} // namespace

void ICanvas::ShowBubbleControl(IControl* caller, float x, float y, const char* str, EDirection dir,
                                IRECT minContentBounds)
{
  if (!caller) return;
  const int nBubbles = mBubbleList.GetSize();
  if (nBubbles == 0) return;

  IBubbleControl* bubble = nullptr;
  uint64_t touchId = 0;
  if (!mMultiTouchEnabled) {
    bubble = mBubbleList.Get(0);
  } else {
    std::vector<uint64_t> touches;
    for (const auto& [id, captured] : mCaptureMap)
      if (captured == caller) touches.push_back(id);
    if (touches.size() != 1) return;
    touchId = touches.front();
    for (int i = 0; i < nBubbles && !bubble; ++i)
      if (mBubbleList.Get(i)->mTouchId == touchId) bubble = mBubbleList.Get(i);
    if (!bubble) {
      // The counter is shared by editors with different bubble counts: keep it in range here.
      const int idx = gNextBubble.load() % nBubbles;
      bubble = mBubbleList.Get(idx);
      gNextBubble.store((idx + 1) % nBubbles);
    }
  }

  if (bubble->mMaxBounds.W() == 0.f)
    bubble->mMaxBounds = IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight));
  bubble->mDirection = dir;
  bubble->mTouchId = touchId;
  bubble->mStr.Set(str);

  IRECT r;
  bubble->MeasureText(str, r);
  if (!minContentBounds.Empty()) {
    if (r.W() < minContentBounds.W()) r.R = r.L + minContentBounds.W();
    if (r.H() < minContentBounds.H()) r.B = r.T + minContentBounds.H();
  }
  const float pad = bubble->mDropShadowSize;
  const float side = pad + bubble->mHorizontalMargin;
  r = r.GetPadded(side, pad, side, pad);
  const float w = r.W();
  const float h = r.H();
  const IRECT& callerBounds = caller->GetBounds();
  const IRECT& maxBounds = bubble->mMaxBounds;

  IRECT placed;
  int placement;
  if (dir == EDirection::Horizontal) {
    placed = IRECT(x, y - h / 2.f, x + w, y + h / 2.f);
    placement = IBubbleControl::kRightOfPoint;
    if (placed.R > maxBounds.R - kBubbleRightMargin) {
      placed = IRECT(callerBounds.L - w, y - h / 2.f, callerBounds.L, y + h / 2.f);
      placement = IBubbleControl::kLeftOfCaller;
    }
  } else {
    placed = IRECT(x - w / 2.f, y - h, x + w / 2.f, y);
    placement = IBubbleControl::kAbovePoint;
    if (placed.T < maxBounds.T) {
      const float ch = callerBounds.H();
      placed = IRECT(x - w / 2.f, y + ch, x + w / 2.f, y + ch + h);
      placement = IBubbleControl::kBelowCaller;
    }
  }
  bubble->mArrowDir = placement;
  bubble->mBubbleBounds = placed;
  bubble->mBounds = bubble->mBounds.Union(placed);
  bubble->OnResize();

  if (bubble->mState == IBubbleControl::kHidden) {
    bubble->Hide(false);
    bubble->mState = IBubbleControl::kFadingIn;
    bubble->SetDirty(true, -1);
  }
  if (caller != bubble->mCaller) {
    bubble->mBounds = placed;
    SetAllControlsDirty();
    bubble->mCaller = caller;
  }
}

} // namespace plugin::ui
