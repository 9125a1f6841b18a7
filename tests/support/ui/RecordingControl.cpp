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

void RecordingControl::OnDrop(const char* path)
{
  Log("OnDrop");
  lastText = path ? path : "";
}

void RecordingControl::OnMsgFromDelegate(int msgTag, int, const void*)
{
  Log("OnMsgFromDelegate");
  lastInt = msgTag;
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

} // namespace plugin::ui::test
