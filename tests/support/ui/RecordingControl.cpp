#include "support/ui/RecordingControl.h"

namespace plugin::ui::test {

RecordingControl::RecordingControl(const IRECT& bounds, int paramIdx, HookLog* sharedLog, std::string name)
    : IControl(bounds, paramIdx), mSharedLog(sharedLog), mName(std::move(name))
{}

RecordingControl::RecordingControl(const IRECT& bounds, std::initializer_list<int> params, HookLog* sharedLog,
                                   std::string name)
    : IControl(bounds, params), mSharedLog(sharedLog), mName(std::move(name))
{}

RecordingControl::~RecordingControl()
{
  if (mSharedLog) mSharedLog->push_back(mName + ".~");
  if (destroyed) *destroyed = true;
}

void RecordingControl::Log(const char* hook)
{
  hooks.emplace_back(hook);
  if (mSharedLog) mSharedLog->push_back(mName + "." + hook);
}

void RecordingControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  Log("OnMouseDown");
  IControl::OnMouseDown(x, y, mod);
}

void RecordingControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  Log("OnMouseUp");
  IControl::OnMouseUp(x, y, mod);
}

void RecordingControl::OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod)
{
  Log("OnMouseDrag");
  IControl::OnMouseDrag(x, y, dX, dY, mod);
}

void RecordingControl::OnMouseDblClick(float x, float y, const IMouseMod& mod)
{
  Log("OnMouseDblClick");
  IControl::OnMouseDblClick(x, y, mod);
}

void RecordingControl::OnMouseWheel(float x, float y, const IMouseMod& mod, float delta)
{
  Log("OnMouseWheel");
  IControl::OnMouseWheel(x, y, mod, delta);
}

bool RecordingControl::OnKeyDown(float, float, const IKeyPress&)
{
  Log("OnKeyDown");
  return keyResult;
}

bool RecordingControl::OnKeyUp(float, float, const IKeyPress&)
{
  Log("OnKeyUp");
  return keyResult;
}

void RecordingControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  Log("OnMouseOver");
  IControl::OnMouseOver(x, y, mod);
}

void RecordingControl::OnMouseOut()
{
  Log("OnMouseOut");
  IControl::OnMouseOut();
}

void RecordingControl::OnTouchCancelled(float x, float y, const IMouseMod& mod)
{
  Log("OnTouchCancelled");
  IControl::OnTouchCancelled(x, y, mod);
}

void RecordingControl::OnDrop(const char* path)
{
  Log("OnDrop");
  lastText = path ? path : "";
}

void RecordingControl::OnRescale()
{
  Log("OnRescale");
}

void RecordingControl::OnResize()
{
  Log("OnResize");
}

void RecordingControl::OnInit()
{
  Log("OnInit");
}

void RecordingControl::OnAttached()
{
  Log("OnAttached");
}

void RecordingControl::OnMsgFromDelegate(int msgTag, int, const void*)
{
  Log("OnMsgFromDelegate");
  lastInt = msgTag;
}

void RecordingControl::OnMidi(const IMidiMsg&)
{
  Log("OnMidi");
}

void RecordingControl::OnPopupMenuSelection(IPopupMenu* menu, int valIdx)
{
  Log("OnPopupMenuSelection");
  lastInt = valIdx;
  IControl::OnPopupMenuSelection(menu, valIdx);
}

void RecordingControl::OnTextEntryCompletion(const char* str, int valIdx)
{
  Log("OnTextEntryCompletion");
  lastText = str ? str : "";
  lastInt = valIdx;
}

void RecordingControl::OnContextSelection(int itemTag)
{
  Log("OnContextSelection");
  lastInt = itemTag;
}

void RecordingControl::OnEndAnimation()
{
  Log("OnEndAnimation");
  IControl::OnEndAnimation();
}

void RecordingControl::Draw(ICanvas&)
{
  ++drawCount;
}

} // namespace plugin::ui::test
