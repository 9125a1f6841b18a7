#pragma once

#include "platform/mac/system/ScriptedUser.h"
#include "platform/mac/system/View.h"
#include "platform/mac/system/VirtualTime.h"
#include "platform/mac/system/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plugin::sys::test {

// Each case starts from a fresh system with virtual time at 0 on the main run loop.
class AppKitTest : public ::testing::Test
{
protected:
  AppKitTest() { ScriptedUser::Shared().Reset(); }
  ~AppKitTest() override { ScriptedUser::Shared().Reset(); }

  ScriptedUser& user = ScriptedUser::Shared();
  VirtualTime time;
};

// A view that logs the events and notifications it gets as short words.
class LogView : public View
{
public:
  explicit LogView(Rect frame, bool flipped = false, bool acceptsFirstResponder = false)
      : View(frame), mFlipped(flipped), mAccepts(acceptsFirstResponder)
  {}

  bool IsFlipped() const override { return mFlipped; }
  bool AcceptsFirstResponder() override { return mAccepts; }
  bool AcceptsFirstMouse(const Event*) override { return acceptsFirstMouse; }

  void MouseDown(const Event& e) override { Log("down", e); }
  void MouseUp(const Event& e) override { Log("up", e); }
  void MouseDragged(const Event& e) override { Log("drag", e); }
  void RightMouseDown(const Event& e) override { Log("rdown", e); }
  void RightMouseUp(const Event& e) override { Log("rup", e); }
  void MouseMoved(const Event& e) override { Log("move", e); }
  void MouseEntered(const Event& e) override { Log("enter", e); }
  void MouseExited(const Event& e) override { Log("exit", e); }
  void ScrollWheel(const Event& e) override { Log("wheel", e); }
  void KeyDown(const Event& e) override
  {
    Log("key", e);
    if (!handlesKeys) View::KeyDown(e);
  }
  void ViewDidMoveToWindow() override { log.push_back(GetWindow() ? "window" : "nowindow"); }
  void ViewDidChangeBackingProperties() override { log.push_back("scale"); }
  void ViewDidChangeEffectiveAppearance() override { log.push_back("appearance"); }
  void UpdateTrackingAreas() override { log.push_back("areas"); }

  std::vector<std::string> Take()
  {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

  std::vector<std::string> log;
  std::vector<Event> events;
  bool acceptsFirstMouse = false;
  bool handlesKeys = true;

private:
  void Log(const char* what, const Event& e)
  {
    log.push_back(what);
    events.push_back(e);
  }
  bool mFlipped;
  bool mAccepts;
};

} // namespace plugin::sys::test
