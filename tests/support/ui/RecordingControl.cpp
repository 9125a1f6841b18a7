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

void RecordingControl::Log(const char* hook, const char* text, int number)
{
  hooks.emplace_back(hook);
  if (mSharedLog) mSharedLog->push_back(mName + "." + hook);
  if (text) lastText = text;
  lastInt = number;
}

void RecordingControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  Log("OnMouseDown");
  IControl::OnMouseDown(x, y, mod);
}

void RecordingControl::OnMouseDblClick(float x, float y, const IMouseMod& mod)
{
  Log("OnMouseDblClick");
  IControl::OnMouseDblClick(x, y, mod);
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

void RecordingControl::OnPopupMenuSelection(IPopupMenu* menu, int valIdx)
{
  Log("OnPopupMenuSelection", nullptr, valIdx);
  IControl::OnPopupMenuSelection(menu, valIdx);
}

void RecordingControl::OnEndAnimation()
{
  Log("OnEndAnimation");
  IControl::OnEndAnimation();
}

} // namespace plugin::ui::test
