#pragma once

#include "graphics/control/IControl.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace plugin::ui::test {

// Ordered record of hook calls, "name.Hook", shared by several controls (and tests).
using HookLog = std::vector<std::string>;

// A control that records every hook the toolkit calls on it (into its own log, and into a shared
// one when given); the hooks whose base does something still run it. Draw only counts.
class RecordingControl : public IControl
{
public:
  RecordingControl(const IRECT& bounds, int paramIdx = -1, HookLog* sharedLog = nullptr,
                   std::string name = "c");
  RecordingControl(const IRECT& bounds, std::initializer_list<int> params, HookLog* sharedLog = nullptr,
                   std::string name = "c");
  ~RecordingControl() override;

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float, float, const IMouseMod&) override { Log("OnMouseUp"); }
  void OnMouseDrag(float, float, float, float, const IMouseMod&) override { Log("OnMouseDrag"); }
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  void OnMouseWheel(float, float, const IMouseMod&, float) override { Log("OnMouseWheel"); }
  bool OnKeyDown(float, float, const IKeyPress&) override { return Log("OnKeyDown"), keyResult; }
  bool OnKeyUp(float, float, const IKeyPress&) override { return Log("OnKeyUp"), keyResult; }
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  void OnTouchCancelled(float, float, const IMouseMod&) override { Log("OnTouchCancelled"); }
  void OnDrop(const char* path) override { Log("OnDrop", path); }
  void OnRescale() override { Log("OnRescale"); }
  void OnResize() override { Log("OnResize"); }
  void OnInit() override { Log("OnInit"); }
  void OnAttached() override { Log("OnAttached"); }
  void OnMsgFromDelegate(int msgTag, int, const void*) override { Log("OnMsgFromDelegate", nullptr, msgTag); }
  void OnMidi(const IMidiMsg&) override { Log("OnMidi"); }
  void OnPopupMenuSelection(IPopupMenu* menu, int valIdx) override;
  void OnTextEntryCompletion(const char* str, int valIdx) override
  {
    Log("OnTextEntryCompletion", str, valIdx);
  }
  void OnContextSelection(int itemTag) override { Log("OnContextSelection", nullptr, itemTag); }
  void OnEndAnimation() override;
  void Draw(ICanvas&) override { ++drawCount; }

  HookLog hooks; // hooks in call order, without the name
  int drawCount = 0;
  bool keyResult = false;    // what OnKeyDown and OnKeyUp answer
  bool* destroyed = nullptr; // set to true by the destructor when given
  std::string lastText;      // last dropped path or completed text entry
  int lastInt = 0;           // last context tag, message tag or value index

private:
  // Logs hook; a text or number argument is kept in lastText or lastInt.
  void Log(const char* hook, const char* text = nullptr, int number = 0);

  HookLog* mSharedLog;
  std::string mName;
};

} // namespace plugin::ui::test
