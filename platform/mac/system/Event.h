#pragma once

#include "platform/mac/system/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>

// An input event as the window server delivers it to a window and the window to its views.
// Plain record; main thread.
namespace plugin::sys {

class Window;
class TrackingArea;

enum class EventType {
  LeftMouseDown,
  LeftMouseUp,
  RightMouseDown,
  RightMouseUp,
  MouseMoved,
  LeftMouseDragged,
  RightMouseDragged,
  MouseEntered,
  MouseExited,
  KeyDown,
  KeyUp,
  ScrollWheel,
};

// Modifier keys held during an event (Event::modifierFlags).
enum EventModifierFlags : unsigned long {
  kEventModifierShift = 0x20000,
  kEventModifierControl = 0x40000,
  kEventModifierOption = 0x80000,
  kEventModifierCommand = 0x100000,
};

// Event::subtype of mouse events.
enum EventSubtype : short {
  kEventSubtypeMouse = 0,
  kEventSubtypeTabletPoint = 1,
};

// Hardware key codes of the keys this layer itself gives a meaning to.
enum KeyCode : std::uint16_t {
  kKeyCodeReturn = 36,
  kKeyCodeTab = 48,
  kKeyCodeDelete = 51,
  // Typed text that names no key (ScriptedUser::TypeText).
  kKeyCodeNone = 0xffff,
};

struct Event
{
  EventType type = EventType::MouseMoved;
  Point locationInWindow;          // origin bottom left of the window's content
  unsigned long modifierFlags = 0; // EventModifierFlags
  long clickCount = 0;             // presses in quick succession, on mouse down and up
  short subtype = kEventSubtypeMouse;
  double deltaX = 0.0, deltaY = 0.0; // wheel and mouse movement
  std::uint16_t keyCode = 0;         // hardware key, key events
  // Key text with and without the modifiers applied; none for events without text.
  std::optional<std::u16string> characters, charactersIgnoringModifiers;
  double timestampMs = 0.0;             // the main run loop's clock
  Window* window = nullptr;             // set on delivery
  TrackingArea* trackingArea = nullptr; // entered and exited events
};

} // namespace plugin::sys
