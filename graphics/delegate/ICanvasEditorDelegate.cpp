#include "graphics/delegate/ICanvasEditorDelegate.h"

#include "framework/params/EParamSource.h"
#include "framework/params/IParam.h"
#include "framework/queues/IKeyPress.h"
#include "framework/queues/IMidiMsg.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace plugin::ui {

ICanvasEditorDelegateBase::~ICanvasEditorDelegateBase()
{
  // Host menus kept past the plug-in find nothing from now on.
  if (mLookupAnchor) mLookupAnchor->delegate = nullptr;
  // Released in this order: the layout function, then the factory function.
  mLayoutFunc = nullptr;
  mMakeGraphicsFunc = nullptr;
}

ICanvas* ICanvasEditorDelegateBase::CreateGraphics()
{
  return mMakeGraphicsFunc ? mMakeGraphicsFunc() : nullptr;
}

void ICanvasEditorDelegateBase::LayoutUI(ICanvas* ui)
{
  if (mLayoutFunc) mLayoutFunc(ui);
}

bool ICanvasEditorDelegateBase::PopupHostContextMenu(IControl*, int, IPopupMenu&, int, int)
{
  return false;
}

ICanvas* ICanvasEditorDelegateBase::GetUI()
{
  return mGraphics;
}

ICanvasEditorDelegateBase::ControlLookup ICanvasEditorDelegateBase::MakeControlLookup(IControl* control)
{
  if (!control) return [] { return static_cast<IControl*>(nullptr); };
  if (!mLookupAnchor) mLookupAnchor = std::make_shared<LookupAnchor>(LookupAnchor{this});
  // The address and the id only: the control may be gone by the time the lookup runs.
  return [anchor = mLookupAnchor, address = static_cast<const IControl*>(control),
          id = control->GetInstanceId()]() -> IControl* {
    return anchor->delegate ? anchor->delegate->HeldControl(address, id) : nullptr;
  };
}

IControl* ICanvasEditorDelegateBase::HeldControl(const IControl* control, uint64_t instanceId) const noexcept
{
  if (!mGraphics) return nullptr;
  // Only a control the context still holds may be looked at; a match of the address alone could
  // be a later control made where the old one was.
  const int idx = mGraphics->GetControlIdx(control);
  IControl* held = idx >= 0 ? mGraphics->GetControl(idx) : nullptr;
  return held && held->GetInstanceId() == instanceId ? held : nullptr;
}

void* ICanvasEditorDelegateBase::OpenGraphicsWindow(void* parent)
try {
  if (!mGraphics) {
    mGraphics = CreateGraphics();
    if (mGraphics && mSavedWidth != 0 && mSavedHeight != 0 && mSavedDrawScale != 0.f)
      mGraphics->Resize(mSavedWidth, mSavedHeight, mSavedDrawScale, true);
  }
  if (!mGraphics) return nullptr;
  return mGraphics->OpenWindow(parent);
} catch (const std::bad_alloc&) {
  // No memory for the editor: none opens, and no half-built one stays.
  if (mGraphics && mGraphics->GetWindow()) mGraphics->CloseWindow();
  DeleteGraphics();
  return nullptr;
}

void ICanvasEditorDelegateBase::CloseGraphicsWindow()
{
  if (mClosing) return; // re-entered from OnUIClose or from the platform's close
  mClosing = true;
  try {
    mEditor.OnUIClose();
  } catch (const std::bad_alloc&) {
    // The plug-in's own close work ran out of memory: the editor closes all the same.
  }
  if (mGraphics) {
    mSavedWidth = mGraphics->Width();
    mSavedHeight = mGraphics->Height();
    mSavedDrawScale = mGraphics->GetDrawScale();
    ICanvas* graphics = mGraphics;
    graphics->CloseWindow();
    mGraphics = nullptr;
    delete graphics;
  }
  mClosing = false;
}

bool ICanvasEditorDelegateBase::KeyToGraphics(const IKeyPress& key, bool isUp)
{
  if (!mGraphics) return false;
  float x = 0.f;
  float y = 0.f;
  mGraphics->GetMouseLocation(x, y);
  return isUp ? mGraphics->OnKeyUp(x, y, key) : mGraphics->OnKeyDown(x, y, key);
}

void ICanvasEditorDelegateBase::ControlValueToGraphics(int ctrlTag, double normalizedValue)
try {
  if (!mGraphics || !std::isfinite(normalizedValue)) return;
  if (IControl* control = mGraphics->GetControlWithTag(ctrlTag))
    control->SetValueFromDelegate(normalizedValue, 0);
} catch (const std::bad_alloc&) {
  // Dropped: the next message from the plug-in shows the state again.
}

void ICanvasEditorDelegateBase::ControlMsgToGraphics(int ctrlTag, int msgTag, int dataSize, const void* data)
try {
  if (!mGraphics) return;
  if (IControl* control = mGraphics->GetControlWithTag(ctrlTag))
    control->OnMsgFromDelegate(msgTag, dataSize, data);
} catch (const std::bad_alloc&) {
  // Dropped: the next message from the plug-in shows the state again.
}

void ICanvasEditorDelegateBase::MidiMsgToGraphics(const IMidiMsg& msg)
try {
  if (mGraphics) {
    mGraphics->ForAllControlsFunc([&msg](IControl* control) {
      if (control->GetReceivesMidi()) control->OnMidi(msg);
    });
  }
  mEditor.OnMidiMsgUI(msg);
} catch (const std::bad_alloc&) {
  // Dropped: the next message from the plug-in shows the state again.
}

void ICanvasEditorDelegateBase::ParameterValueToGraphics(int paramIdx, double value, bool normalized)
try {
  if (mGraphics) {
    bool usable = true;
    if (!normalized) {
      const IParam* param = mEditor.GetParam(paramIdx);
      usable = param != nullptr;
      // Snapped, clamped, shaped and clamped again, as every real value becomes a normalised one.
      if (param) value = std::clamp(param->ToNormalized(param->Constrain(value)), 0.0, 1.0);
    }
    if (usable && std::isfinite(value)) {
      mGraphics->ForAllControlsFunc([paramIdx, value](IControl* control) {
        for (int v = 0; v < control->NVals(); ++v)
          if (control->GetParamIdx(v) == paramIdx) control->SetValueFromDelegate(value, v);
      });
    }
  }
  mEditor.OnParamChangeUI(paramIdx, kDelegate);
} catch (const std::bad_alloc&) {
  // Dropped: the next message from the plug-in shows the state again.
}

bool ICanvasEditorDelegateBase::AppendEditorState(IByteChunk& chunk) const
{
  int32_t width = mSavedWidth;
  int32_t height = mSavedHeight;
  float scale = mSavedDrawScale;
  if (mGraphics) {
    width = mGraphics->Width();
    height = mGraphics->Height();
    scale = mGraphics->GetDrawScale();
  }
  const int start = chunk.Size();
  if (chunk.Put(&width) < 0 || chunk.Put(&height) < 0 || chunk.Put(&scale) < 0) {
    chunk.Resize(start); // never half a record
    return false;
  }
  return true;
}

int ICanvasEditorDelegateBase::ReadEditorState(const IByteChunk& chunk, int startPos)
{
  int32_t width = 0;
  int32_t height = 0;
  float scale = 0.f;
  int result = -1;
  if (startPos >= 0) {
    int pos = chunk.Get(&width, startPos);
    if (pos >= 0) pos = chunk.Get(&height, pos);
    if (pos >= 0) pos = chunk.Get(&scale, pos);
    if (pos >= 0) result = pos;
  }
  if (!(std::isfinite(scale) && scale > 0.f)) scale = 0.f; // a scale that cannot be used counts as absent
  if (!mGraphics) {
    mSavedWidth = width;
    mSavedHeight = height;
    mSavedDrawScale = scale;
  } else if (width != 0 && height != 0 && scale != 0.f) {
    try {
      mGraphics->Resize(width, height, scale, true);
    } catch (const std::bad_alloc&) {
      // The open editor keeps the size it reached; the record was read all the same.
    }
  }
  return result;
}

void ICanvasEditorDelegateBase::ScreenScaleToGraphics(float scale)
try {
  if (mGraphics) mGraphics->SetScreenScale(scale);
} catch (const std::bad_alloc&) {
  // The editor goes on at the scale it reached; the next change tries again.
}

void ICanvasEditorDelegateBase::DeleteGraphics() noexcept
{
  ICanvas* graphics = mGraphics;
  mGraphics = nullptr;
  delete graphics;
}

} // namespace plugin::ui
