#include "graphics/control/IControl.h"

#include "framework/params/IParam.h"
#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

namespace {

// Size of the text field opened over a control whose parameter has no display texts.
constexpr float kPromptWidth = 40.f;
constexpr float kPromptHeight = 16.f;

} // namespace

bool IControl::CanPromptUserInput(int valIdx) const noexcept
{
  return ValidValIdx(valIdx) && mValueEntries[valIdx].mParamIdx >= 0 && !mPromptBlocked && mGraphicsContext &&
         GetParam(valIdx) != nullptr;
}

void IControl::PromptUserInput(int valIdx)
{
  if (!CanPromptUserInput(valIdx)) return;
  const IParam* param = GetParam(valIdx);
  // A menu of display texts covers the control; a text field is small and centred.
  const IRECT bounds = param && param->NDisplayTexts() > 0
                           ? mBounds
                           : IRECT::MakeCentred(mBounds.MW(), mBounds.MH(), kPromptWidth, kPromptHeight);
  mGraphicsContext->PromptUserInput(*this, bounds, valIdx);
  SetDirty(false);
}

void IControl::PromptUserInput(const IRECT& bounds, int valIdx)
{
  if (!CanPromptUserInput(valIdx)) return;
  mGraphicsContext->PromptUserInput(*this, bounds, valIdx);
}

} // namespace plugin::ui
