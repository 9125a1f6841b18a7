#include "graphics/canvas/ICanvas.h"

#include "framework/params/IParam.h"
#include "graphics/attached/IBubbleControl.h"
#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <cstring>
#include <functional>

// Walks over the controls and the parameter operations built on them.

namespace plugin::ui {

void ICanvas::ForAllControlsFunc(const IControlFunction& func)
{
  // An empty function is the caller's programming error, reported whether or not there are
  // controls to call it for.
  if (!func) throw std::bad_function_call();
  // The count is read again after every call: controls appended meanwhile are visited too.
  for (int i = 0; i < mControlList.GetSize(); ++i)
    func(mControlList.Get(i));
  if (mFrameRateDisplay) func(mFrameRateDisplay);
  if (mCornerResizerCtrl) func(mCornerResizerCtrl);
  if (mTextEntryCtrl) func(mTextEntryCtrl);
  if (mPopupMenuCtrl) func(mPopupMenuCtrl);
  for (int i = 0; i < mBubbleList.GetSize(); ++i)
    func(mBubbleList.Get(i));
}

void ICanvas::ForStandardControlsFunc(const IControlFunction& func)
{
  if (!func) throw std::bad_function_call();
  for (int i = 0; i < mControlList.GetSize(); ++i)
    func(mControlList.Get(i));
}

void ICanvas::ForMatchingControls(int paramIdx, const IControlFunction& func)
{
  if (!func) throw std::bad_function_call();
  for (int i = 0; i < mControlList.GetSize(); ++i) {
    IControl* c = mControlList.Get(i);
    if (c->LinkedToParam(paramIdx) >= 0) func(c);
  }
}

void ICanvas::ForMatchingControls(std::initializer_list<int> params, const IControlFunction& func)
{
  if (!func) throw std::bad_function_call();
  for (int i = 0; i < mControlList.GetSize(); ++i) {
    IControl* c = mControlList.Get(i);
    for (int paramIdx : params)
      if (c->LinkedToParam(paramIdx) >= 0) func(c);
  }
}

void ICanvas::ForMatchingControls(void (IControl::*method)(bool), int paramIdx, bool value)
{
  ForMatchingControls(paramIdx, [&](IControl* c) { (c->*method)(value); });
}

void ICanvas::ForControlInGroup(const char* group, const IControlFunction& func)
{
  if (!func) throw std::bad_function_call();
  const char* wanted = group ? group : "";
  for (int i = 0; i < mControlList.GetSize(); ++i) {
    IControl* c = mControlList.Get(i);
    if (std::strcmp(c->GetGroup(), wanted) == 0) func(c);
  }
}

void ICanvas::SetAllControlsDirty()
{
  ForAllControls(&IControl::SetDirty, false, -1);
}

void ICanvas::SetAllControlsClean()
{
  ForAllControls(&IControl::SetClean);
}

void ICanvas::ForAllControlsHook()
{
  ForAllControls(&IControl::OnAllControlsHook);
}

void ICanvas::SetHighlightDotForParam(int paramIdx, bool show, int colourChoice)
{
  ForMatchingControls(paramIdx, [&](IControl* c) { c->SetHighlightDot(show, colourChoice); });
}

void ICanvas::AssignParamNameToolTips()
{
  ForStandardControlsFunc([](IControl* c) {
    if (const IParam* param = c->GetParam(0)) c->SetTooltip(param->GetName());
  });
}

void ICanvas::UpdatePeers(IControl* caller, int valIdx)
{
  if (!caller || !caller->ValidValIdx(valIdx)) return;
  const double value = caller->GetValue(valIdx);
  const int paramIdx = caller->GetParamIdx(valIdx);
  if (paramIdx < 0) return; // unbound entries have no peers
  ForStandardControlsFunc([&](IControl* c) {
    if (c == caller) return;
    const int k = c->LinkedToParam(paramIdx);
    if (k >= 0) c->SetValueFromDelegate(value, k);
  });
}

} // namespace plugin::ui
