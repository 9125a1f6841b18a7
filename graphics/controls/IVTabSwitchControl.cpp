#include "graphics/controls/IVTabSwitchControl.h"

#include "framework/params/IParam.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/controls/VectorControlHelpers.h"

namespace plugin::ui {

IVTabSwitchControl::IVTabSwitchControl(const IRECT& bounds, int paramIdx,
                                       const std::vector<const char*>& options, const char* label,
                                       const IVStyle& style, EVShape shape, EDirection direction)
    : ISwitchControlBase(bounds, paramIdx, SplashClickAction, static_cast<int>(options.size())),
      IVectorBase(style, false, false), mDirection(direction)
{
  mShape = shape;
  mTextStyle = style.valueText;
  mTextStyle.mAlign = EAlign::Center;
  mTextStyle.mVAlign = EVAlign::Middle;
  mStyle.valueText.mAlign = EAlign::Center;
  mStyle.valueText.mVAlign = EVAlign::Middle;
  AttachIControl(this, label);
  for (const char* option : options)
    mTabLabels.push_back(std::make_unique<StringBuf>(option));
}

IVTabSwitchControl::IVTabSwitchControl(const IRECT& bounds, IActionFunction action,
                                       const std::vector<const char*>& options, const char* label,
                                       const IVStyle& style, EVShape shape, EDirection direction)
    : IVTabSwitchControl(bounds, -1, options, label, style, shape, direction)
{
  mActionFunction = std::move(action);
}

IVTabSwitchControl::~IVTabSwitchControl() = default;

int IVTabSwitchControl::GetSelectedIdx() const noexcept
{
  return SelectedState(GetValue(0), mStateCount);
}

const char* IVTabSwitchControl::GetTabLabel(int i) const noexcept
{
  return i >= 0 && i < NTabLabels() ? mTabLabels[static_cast<size_t>(i)]->Get() : "";
}

// --- Layout ---

void IVTabSwitchControl::OnInit()
{
  ISwitchControlBase::OnInit();
  const IParam* param = GetParam(0);
  if (!param || !mTabLabels.empty()) return; // given options win, and so does the given label
  for (int i = 0; i < mStateCount; ++i)
    mTabLabels.push_back(std::make_unique<StringBuf>(param->GetDisplayText(static_cast<double>(i))));
  if (!*mLabelStr.Get()) mLabelStr.Set(param->GetName());
}

void IVTabSwitchControl::OnResize()
{
  mHitRect = MakeRects(mBounds, false);
  mHovered = false;
  mButtons.clear();
  const IRECT& w = mWidgetBounds;
  const int n = HasArea(w) ? mStateCount : 0; // an empty widget has no buttons to hit or draw
  for (int i = 0; i < n; ++i) {
    if (mDirection == EDirection::Vertical) {
      const float h = w.H() / static_cast<float>(n);
      mButtons.emplace_back(w.L, w.T + i * h, w.R, w.T + i * h + h);
    } else {
      const float bw = w.W() / static_cast<float>(n);
      mButtons.emplace_back(w.L + i * bw, w.T, w.L + i * bw + bw, w.B);
    }
  }
  SetDirty(false);
}

// --- Drawing ---

void IVTabSwitchControl::Draw(ICanvas& g)
{
  if (!HasArea(mBounds)) return;
  DrawBackground(g, mBounds);
  DrawLabel(g);
  DrawWidget(g);
}

void IVTabSwitchControl::DrawWidget(ICanvas& g)
{
  const int n = NButtons();
  const int sel = GetSelectedIdx();
  for (int i = 0; i < n; ++i) {
    const IRECT& r = mButtons[static_cast<size_t>(i)];
    const ETabSegment segment = i == n - 1 ? ETabSegment::End
                                : i == 0   ? ETabSegment::Start
                                           : ETabSegment::Mid;
    const bool disabled = mIsDisabled || GetStateDisabled(i);
    const bool pressed = i == sel;
    const bool over = i == mMouseOverButton;
    DrawButton(g, r, pressed, over, segment, disabled);
    if (i < NTabLabels()) DrawButtonText(g, r, pressed, over, segment, disabled, GetTabLabel(i));
  }
}

void IVTabSwitchControl::DrawButton(ICanvas& g, const IRECT& r, bool pressed, bool mouseOver,
                                    ETabSegment segment, bool disabled)
{
  const bool horizontal = mDirection == EDirection::Horizontal;
  const bool start = segment == ETabSegment::Start;
  const bool end = segment == ETabSegment::End;
  switch (mShape) {
  case EVShape::TopRounded: // only the row's outer corners on the open side are rounded
    if (horizontal)
      DrawPressableRectangle(g, r, pressed, mouseOver, disabled, start, end, false, false);
    else
      DrawPressableRectangle(g, r, pressed, mouseOver, disabled, false, start, false, end);
    break;
  case EVShape::AllRounded: // every tab rounded on its open side
    if (horizontal)
      DrawPressableRectangle(g, r, pressed, mouseOver, disabled, true, true, false, false);
    else
      DrawPressableRectangle(g, r, pressed, mouseOver, disabled, false, true, false, true);
    break;
  default:
    DrawPressableShape(g, mShape, r, pressed, mouseOver, disabled);
    break;
  }
}

void IVTabSwitchControl::DrawButtonText(ICanvas& g, const IRECT& r, bool, bool, ETabSegment, bool,
                                        const char* str)
{
  if (str && *str) g.DrawText(mStyle.valueText, str, r, &mBlendState);
}

// --- Mouse ---

int IVTabSwitchControl::GetButtonForPoint(float x, float y) const
{
  for (int i = 0; i < NButtons(); ++i)
    if (mButtons[static_cast<size_t>(i)].Contains(x, y)) return i;
  return -1;
}

bool IVTabSwitchControl::IsHit(float x, float y) const
{
  return GetButtonForPoint(x, y) >= 0;
}

void IVTabSwitchControl::OnMouseDown(float x, float y, const IMouseMod&)
{
  const int i = GetButtonForPoint(x, y);
  if (i >= 0) SetValue(mStateCount > 1 ? static_cast<double>(i) / (mStateCount - 1) : 0.0, 0);
  SetDirty(true);
}

void IVTabSwitchControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  mMouseOverButton = GetButtonForPoint(x, y);
  IControl::OnMouseOver(x, y, mod);
  SetDirty(false);
}

void IVTabSwitchControl::OnMouseOut()
{
  mMouseOverButton = -1;
  IControl::OnMouseOut();
  SetDirty(false);
}

} // namespace plugin::ui
