#pragma once

#include "graphics/IControl.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace plugin::ui::test {

// Ordered record of hook calls, "name.Hook", shared by several controls (and tests).
using HookLog = std::vector<std::string>;

// A control that records every hook the toolkit calls on it (into its own log, and into a shared
// one when given), then runs the base behaviour. Draw only counts.
class RecordingControl : public IControl
{
public:
  RecordingControl(const IRECT& bounds, int paramIdx = -1, HookLog* sharedLog = nullptr,
                   std::string name = "c");
  RecordingControl(const IRECT& bounds, std::initializer_list<int> params, HookLog* sharedLog = nullptr,
                   std::string name = "c");
  ~RecordingControl() override;

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta) override;
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;
  bool OnKeyUp(float x, float y, const IKeyPress& key) override;
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  void OnTouchCancelled(float x, float y, const IMouseMod& mod) override;
  void OnDrop(const char* path) override;
  void OnRescale() override;
  void OnResize() override;
  void OnInit() override;
  void OnAttached() override;
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* data) override;
  void OnMidi(const IMidiMsg& msg) override;
  void OnPopupMenuSelection(IPopupMenu* menu, int valIdx) override;
  void OnTextEntryCompletion(const char* str, int valIdx) override;
  void OnContextSelection(int itemTag) override;
  void OnEndAnimation() override;
  void Draw(ICanvas& g) override;

  // Hooks in call order, without the name.
  HookLog hooks;
  int drawCount = 0;
  bool keyResult = false;    // what OnKeyDown and OnKeyUp answer
  bool* destroyed = nullptr; // set to true by the destructor when given
  std::string lastText;      // last dropped path or completed text entry
  int lastInt = 0;           // last context tag, message tag or popup value index

private:
  void Log(const char* hook);

  HookLog* mSharedLog;
  std::string mName;
};

} // namespace plugin::ui::test
