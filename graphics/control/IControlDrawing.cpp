#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"
#include "graphics/control/IVectorBase.h"

// The control's highlight dot and the click splash of vector controls.

namespace plugin::ui {

namespace {

constexpr float kHighlightDotRadius = 2.f;
constexpr float kHighlightDotInset = 5.f;
constexpr int kSplashMs = 100;

} // namespace

void IControl::DrawHighlightDot(ICanvas& g)
{
  if (!mHighlightDotShown) return;
  g.FillCircle(mHighlightDotColor, mHitRect.R - kHighlightDotInset, mHitRect.T + kHighlightDotInset,
               kHighlightDotRadius, nullptr);
}

void IControl::SetHighlightDot(bool show, int colourChoice)
{
  static constexpr IColor kChoices[] = {COLOR_RED, COLOR_BLUE, COLOR_GREEN, COLOR_YELLOW};
  if (colourChoice >= 0 && colourChoice < 4) mHighlightDotColor = kChoices[colourChoice];
  mHighlightDotShown = show;
  SetDirty(false, -1);
}

void SplashAnimation(IControl* control)
{
  if (!control || !control->GetAnimationFunction()) return;
  const double progress = control->GetAnimationProgress();
  if (progress > 1.0) {
    control->OnEndAnimation();
    return;
  }
  // A control without the vector part only times its animation.
  if (auto* vector = dynamic_cast<IVectorBase*>(control))
    vector->SetSplashRadius(vector->GetMaxSplashRadius() * static_cast<float>(progress));
  control->SetDirty(false, -1);
}

void SplashClickAction(IControl* control)
{
  if (!control) return;
  if (auto* vector = dynamic_cast<IVectorBase*>(control); vector && control->GetUI()) {
    float x;
    float y;
    control->GetUI()->GetMouseDownPoint(x, y);
    vector->SetSplashPoint(x, y);
    vector->OnStyleChanged();
  }
  control->SetAnimationFunction(&SplashAnimation);
  control->StartAnimation(kSplashMs);
}

} // namespace plugin::ui
