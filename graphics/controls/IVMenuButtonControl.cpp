#include "graphics/controls/IVMenuButtonControl.h"

#include "graphics/controls/IVButtonControl.h"
#include "graphics/controls/VectorControlHelpers.h"
#include "graphics/menu/IPopupMenu.h"

namespace plugin::ui {

namespace {

// The button's animation-end action: the value prompt of its menu button over the button. The
// parent is asked each time, so a removed container (which unparents the button) prompts nothing.
void PromptFromParent(IControl* button)
{
  auto* b = dynamic_cast<IVButtonControl*>(button);
  if (b && b->GetParent()) b->GetParent()->PromptUserInput(b->GetWidgetBounds(), 0);
}

} // namespace

IVMenuButtonControl::IVMenuButtonControl(const IRECT& bounds, int paramIdx, const char* label,
                                         const IVStyle& style, EVShape shape)
    : IContainerBase(bounds), IVectorBase(style, false, false)
{
  mValueEntries[0].mParamIdx = paramIdx;
  mPromptBlocked = false;
  mShape = shape;
  mTextStyle = style.valueText;
  AttachIControl(this, label);
  mAttachFunc = [this](IContainerBase*, const IRECT& r) { AttachButton(r); };
  mResizeFunc = [this](IContainerBase*, const IRECT& r) { PlaceButton(r); };
}

IVMenuButtonControl::~IVMenuButtonControl() = default;

IVStyle IVMenuButtonControl::ButtonStyle(const IVStyle& style)
{
  IVStyle s = style;
  s.valueText.mVAlign = EVAlign::Middle;
  return s;
}

void IVMenuButtonControl::AttachButton(const IRECT& bounds)
{
  if (mButton) return; // attached once
  auto* button = new IVButtonControl(bounds, SplashClickAction, mLabelStr.Get(), ButtonStyle(mStyle), false,
                                     true, mShape);
  button->SetAnimationEndActionFunction(PromptFromParent);
  if (!AddChildControl(button, -1, GetGroup())) {
    delete button; // refused: still ours
    return;
  }
  mButton = button;
  UpdateButtonText();
}

void IVMenuButtonControl::PlaceButton(const IRECT& bounds)
{
  if (!mButton) return;
  mButton->SetBounds(bounds);
  mButton->SetHitRect(bounds);
  mButton->OnResize(); // lays it out again and clears its hover flag
}

void IVMenuButtonControl::UpdateButtonText()
{
  if (!mButton) return;
  StringBuf text;
  if (ParamValueText(*this, text, true)) mButton->SetValueStr(text.Get()); // marks it dirty
}

void IVMenuButtonControl::OnPopupMenuSelection(IPopupMenu* menu, int valIdx)
{
  const IPopupMenu::Item* chosen = menu ? menu->GetChosenItem() : nullptr;
  if (!chosen) return; // dismissed: the text and the parameter stay
  if (mButton) mButton->SetValueStr(chosen->GetText());
  IControl::OnPopupMenuSelection(menu, valIdx);
}

void IVMenuButtonControl::SetValueFromDelegate(double value, int valIdx)
{
  IControl::SetValueFromDelegate(value, valIdx);
  UpdateButtonText();
}

void IVMenuButtonControl::SetValueFromUserInput(double value, int valIdx)
{
  if (value == GetValue(valIdx)) return;
  IControl::SetValueFromUserInput(value, valIdx);
  UpdateButtonText();
}

void IVMenuButtonControl::SetStyle(const IVStyle& style)
{
  IVectorBase::SetStyle(style);
  if (mButton) mButton->SetStyle(ButtonStyle(style));
}

void IVMenuButtonControl::ForgetChild(IControl* child) noexcept
{
  if (child == mButton) mButton = nullptr;
  IContainerBase::ForgetChild(child);
}

} // namespace plugin::ui
