#include "graphics/canvas/ICanvas.h"

#include "framework/params/IParam.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <cstring>
#include <new>

// Value prompts (a menu for parameters with display texts, a text entry for the rest), popup
// menus opened for controls, and the delivery of their results.

namespace plugin::ui {

namespace {

// Parameters whose value is chosen from a menu of their display texts.
bool PromptsWithMenu(const IParam& param)
{
  return param.Type() == IParam::kTypeEnum ||
         (param.Type() == IParam::kTypeBool && param.NDisplayTexts() > 0);
}

} // namespace

void ICanvas::PromptUserInput(IControl& control, const IRECT& bounds, int valIdx)
{
  const IParam* param = control.GetParam(valIdx);
  if (!param) return;

  if (PromptsWithMenu(*param)) {
    StringBuf current;
    param->GetDisplay(param->Value(), false, current, true);
    mValuePromptMenu.Clear();
    StringBuf text;
    for (int i = 0; i < param->NDisplayTexts(); ++i) {
      param->GetDisplay(static_cast<double>(i), false, text, true);
      const bool checked = std::strcmp(text.Get(), current.Get()) == 0;
      mValuePromptMenu.AddItem(text.Get(), checked ? IPopupMenu::Item::kChecked : IPopupMenu::Item::kNoFlags);
    }
    mValuePromptMenu.SetRootTitle(param->GetName());
    CreatePopupMenu(control, mValuePromptMenu, bounds, valIdx, false);
    return;
  }

  StringBuf str;
  param->GetDisplay(param->Value(), false, str, false);
  if (control.mPromptWithUnit) {
    str.Append(" ");
    str.Append(param->GetLabelText());
  }
  CreateTextEntry(control, control.mTextStyle, bounds, str.Get(), valIdx);
}

void ICanvas::CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds, const char* str,
                              int valIdx)
{
  mInTextEntryCtrl = &control;
  mTextEntryValIdx = valIdx;
  const int paramIdx = valIdx < 0 ? -1 : control.GetParamIdx(valIdx);
  if (mTextEntryCtrl)
    mTextEntryCtrl->CreateTextEntry(paramIdx, text, bounds, control.mTextEntryMaxChars, str ? str : "");
  else
    CreatePlatformTextEntry(paramIdx, text, bounds, control.mTextEntryMaxChars, str ? str : "");
  control.SetDirty(false);
}

void ICanvas::CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx,
                              bool isContext)
{
  // The in-editor menu shows one menu at a time: a request while it shows one is dropped before
  // anything is recorded, so the open menu still reports to the control that opened it.
  if (mPopupMenuCtrl && mPopupMenuCtrl->GetState() != IPopupMenuControl::kCollapsed) return;
  // The capture goes, but the control's gesture stays open until its menu closes.
  ReleaseCaptureKeeping(&control);
  mInPopupMenuCtrl = &control;
  mPopupMenuValIdx = valIdx;
  mIsContextMenu = isContext;

  if (mPopupMenuCtrl) {
    mPopupMenuCtrl->CreatePopupMenu(menu, bounds); // reports through SetControlValueAfterPopupMenu
    return;
  }
  bool isAsync = false;
  IPopupMenu* result = CreatePlatformPopupMenu(menu, bounds, isAsync);
  if (isAsync) return;
  SetControlValueAfterPopupMenu(result);
}

void ICanvas::CreatePopupMenu(IControl& control, IPopupMenu& menu, float x, float y, int valIdx)
{
  CreatePopupMenu(control, menu, IRECT(x, y, x, y), valIdx, false);
}

void ICanvas::SetControlValueAfterTextEdit(const char* str)
{
  IControl* control = mInTextEntryCtrl;
  if (!control) return;
  if (!str) str = "";
  try {
    const int valIdx = mTextEntryValIdx;
    const IParam* param = valIdx >= 0 ? control->GetParam(valIdx) : nullptr;
    if (param) {
      // Parsed, snapped to the step, clamped to the range and normalised.
      control->SetValueFromUserInput(IControl::NormalizedParamValue(*param, param->StringToValue(str)),
                                     valIdx);
    } else {
      control->OnTextEntryCompletion(str, valIdx);
    }
  } catch (const std::bad_alloc&) {
    AbandonGesture(); // the entry ends without its value
  }
  if (mInTextEntryCtrl == control) mInTextEntryCtrl = nullptr; // unless the handler opened another
}

void ICanvas::SetControlValueAfterPopupMenu(IPopupMenu* menu)
{
  IControl* control = mInPopupMenuCtrl;
  if (!control) return;
  // Cleared first: the selection handler may open the next menu, or remove the control (which
  // ends its gestures itself).
  mInPopupMenuCtrl = nullptr;
  try {
    const bool chosen = menu && menu->GetChosenItemIdx() != -1;
    if (mIsContextMenu)
      control->OnContextSelection(menu ? menu->GetChosenItemIdx() : -1);
    else
      control->OnPopupMenuSelection(chosen ? menu : nullptr, mPopupMenuValIdx);
    if (mInPopupMenuCtrl != control) EndGestures(control, 0, true); // dismissed or chosen, it ends
  } catch (const std::bad_alloc&) {
    AbandonGesture(); // the choice is lost; the host hears the end of the edit
  }
}

} // namespace plugin::ui
