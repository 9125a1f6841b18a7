#include "framework/editor/IEditorDelegate.h"

#include <algorithm>
#include <utility>

namespace plugin {

IEditorDelegate::IEditorDelegate(int nParams)
{
  for (int i = 0; i < nParams; ++i) {
    IParam* param = new IParam();
    if (!mParams.Add(param)) {
      delete param; // the list could not grow: fewer parameters, never a leak
      break;
    }
  }
}

IEditorDelegate::~IEditorDelegate()
{
  mParams.Empty(true);
}

IParam* IEditorDelegate::GetParam(int paramIdx) const noexcept
{
  return mParams.Get(paramIdx);
}

void* IEditorDelegate::OpenWindow(void*)
{
  OnUIOpen();
  return nullptr;
}

void IEditorDelegate::CloseWindow()
{
  OnUIClose();
}

void IEditorDelegate::OnParentWindowResize(int, int) {}

void IEditorDelegate::OnUIOpen()
{
  SendAllParamValuesToEditor();
}

void IEditorDelegate::OnUIClose() {}

void IEditorDelegate::OnParamChange(int paramIdx, EParamSource, int)
{
  OnParamChange(paramIdx);
}

void IEditorDelegate::OnParamChange(int) {}

void IEditorDelegate::OnParamChangeUI(int, EParamSource) {}

void IEditorDelegate::OnParamReset(EParamSource source)
{
  for (int i = 0; i < NParams(); ++i) {
    OnParamChange(i, source, -1);
    OnParamChangeUI(i, source);
  }
}

void IEditorDelegate::OnMidiMsgUI(const IMidiMsg&) {}

void IEditorDelegate::OnSysexMsgUI(const ISysEx&) {}

bool IEditorDelegate::OnMessage(int, int, int, const void*)
{
  return false;
}

void IEditorDelegate::OnRestoreState()
{
  SendAllParamValuesToEditor();
}

bool IEditorDelegate::OnKeyDown(const IKeyPress&)
{
  return false;
}

bool IEditorDelegate::OnKeyUp(const IKeyPress&)
{
  return false;
}

void IEditorDelegate::SendControlValueFromDelegate(int, double) {}

void IEditorDelegate::SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* data)
{
  OnMessage(msgTag, ctrlTag, dataSize, data);
}

void IEditorDelegate::SendArbitraryMsgFromDelegate(int msgTag, int dataSize, const void* data)
{
  OnMessage(msgTag, -1, dataSize, data);
}

void IEditorDelegate::SendMidiMsgFromDelegate(const IMidiMsg& msg)
{
  OnMidiMsgUI(msg);
}

void IEditorDelegate::SendSysexMsgFromDelegate(const ISysEx& msg)
{
  OnSysexMsgUI(msg);
}

void IEditorDelegate::SendParameterValueFromDelegate(int paramIdx, double, bool)
{
  OnParamChangeUI(paramIdx, kDelegate);
}

void IEditorDelegate::InformHostOfAllParamValuesFromUI() {}

void IEditorDelegate::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  IParam* param = GetParam(paramIdx);
  if (!param) return;
  // Snap and clamp twice: a snapped value at the clamped edge must itself be on the grid.
  const double value =
      param->Constrain(param->Constrain(param->GetShape().ValueFromNormalized(normalizedValue, *param)));
  param->Set(value);
  OnParamChangeUI(paramIdx, kUI);
}

bool IEditorDelegate::EditorResizeFromUI(int, int, bool)
{
  return false;
}

void IEditorDelegate::DeferMidiMsg(const IMidiMsg&) {}

void IEditorDelegate::DeferSysexMsg(const ISysEx&) {}

void IEditorDelegate::SendArbitraryMsgFromUI(int, int, int, const void*) {}

void IEditorDelegate::SendMidiMsgFromUI(const IMidiMsg&) {}

void IEditorDelegate::SendSysexMsgFromUI(const ISysEx&) {}

bool IEditorDelegate::ConstrainEditorResize(int& width, int& height) const
{
  if (width >= mMinWidth && width <= mMaxWidth && height >= mMinHeight && height <= mMaxHeight) return true;
  width = std::clamp(width, mMinWidth, mMaxWidth);
  height = std::clamp(height, mMinHeight, mMaxHeight);
  return false;
}

bool IEditorDelegate::SerializeEditorState(IByteChunk&) const
{
  return true;
}

int IEditorDelegate::UnserializeEditorState(const IByteChunk&, int startPos)
{
  return startPos;
}

void IEditorDelegate::SetScreenScale(float) {}

void IEditorDelegate::SetSizeConstraints(int minWidth, int maxWidth, int minHeight, int maxHeight) noexcept
{
  if (minWidth > maxWidth) std::swap(minWidth, maxWidth);
  if (minHeight > maxHeight) std::swap(minHeight, maxHeight);
  mMinWidth = minWidth;
  mMaxWidth = maxWidth;
  mMinHeight = minHeight;
  mMaxHeight = maxHeight;
}

void IEditorDelegate::SendAllParamValuesToEditor()
{
  for (int i = 0; i < NParams(); ++i) {
    const IParam* param = GetParam(i);
    SendParameterValueFromDelegate(i, param->ToNormalized(param->Value()), true);
  }
}

} // namespace plugin
