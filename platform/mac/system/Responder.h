#pragma once

#include "platform/mac/system/Event.h"

// A link in the responder chain: views, then their window. An event a responder does not handle
// goes on to its next responder; what reaches the end of the chain is dropped (keys are recorded
// by the window). Every handler is called by the window on the main thread and may allocate.
namespace plugin::sys {

class Responder
{
public:
  virtual ~Responder() = default;

  // The responder that gets what this one passes on; null at the end of the chain.
  virtual Responder* NextResponder() const noexcept { return nullptr; }

  // Whether a window may make this responder its first responder (default no).
  virtual bool AcceptsFirstResponder() { return false; }
  // Told when it becomes or stops being the first responder; false refuses the change.
  virtual bool BecomeFirstResponder() { return true; }
  virtual bool ResignFirstResponder() { return true; }

  // Event handlers; by default each passes the event to the next responder.
  virtual void MouseDown(const Event& event) { Pass(&Responder::MouseDown, event); }
  virtual void MouseUp(const Event& event) { Pass(&Responder::MouseUp, event); }
  virtual void MouseDragged(const Event& event) { Pass(&Responder::MouseDragged, event); }
  virtual void RightMouseDown(const Event& event) { Pass(&Responder::RightMouseDown, event); }
  virtual void RightMouseUp(const Event& event) { Pass(&Responder::RightMouseUp, event); }
  virtual void RightMouseDragged(const Event& event) { Pass(&Responder::RightMouseDragged, event); }
  virtual void MouseMoved(const Event& event) { Pass(&Responder::MouseMoved, event); }
  virtual void MouseEntered(const Event& event) { Pass(&Responder::MouseEntered, event); }
  virtual void MouseExited(const Event& event) { Pass(&Responder::MouseExited, event); }
  virtual void ScrollWheel(const Event& event) { Pass(&Responder::ScrollWheel, event); }
  virtual void KeyDown(const Event& event) { Pass(&Responder::KeyDown, event); }
  virtual void KeyUp(const Event& event) { Pass(&Responder::KeyUp, event); }

private:
  void Pass(void (Responder::*handler)(const Event&), const Event& event)
  {
    if (Responder* next = NextResponder()) (next->*handler)(event);
  }
};

} // namespace plugin::sys
