#pragma once

#include "platform/mac/system/Color.h"
#include "platform/mac/system/Dragging.h"
#include "platform/mac/system/Event.h"
#include "platform/mac/system/Menu.h"
#include "platform/mac/system/SavePanel.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The person in front of the screen, played by tests and tools: gestures turned into events for
// a window, and answers to what the system asks (menus, alerts, panels), each set ahead of time
// and used by the next request of its kind. Without an answer a menu is dismissed, an alert
// answered with its first button and a panel cancelled. Everything shown is recorded. The layer
// calls the Take/Record part; the person answers at once, so a modal session takes no time.
// Main thread only.
namespace plugin::sys {

class Window;

struct MenuItemRecord
{
  std::string title;
  bool separator = false;
  bool enabled = true;
  ControlState state = ControlState::Off;
  int indentation = 0;
  bool hasSubmenu = false;
  std::vector<MenuItemRecord> submenu;
  bool operator==(const MenuItemRecord&) const = default;
};

// A menu as it was shown and answered.
struct MenuRecord
{
  std::vector<MenuItemRecord> items;
  int positionedItem = -1;    // the item placed under the location; -1 for none
  Point location;             // in the view's coordinates
  const View* view = nullptr; // for comparison only; it may be gone
  std::vector<int> path;      // the person's answer
  bool chosen = false;        // the answer led to an item that could be chosen
};

struct AlertRecord
{
  std::string messageText, informativeText;
  std::vector<std::string> buttons; // as shown (the default button when none was added)
  long response = 0;
};

struct PanelAnswer
{
  bool ok = false;
  std::vector<std::string> paths;
};

struct PanelRecord
{
  bool openPanel = false;
  bool sheet = false;
  PanelOptions options;
  long response = kModalResponseCancel;
  std::vector<std::string> paths; // what the panel accepted
};

enum class MouseButton { Left, Right };

class ScriptedUser
{
public:
  // Presses this close in time and place count as one multiple click.
  static constexpr double kDoubleClickIntervalMs = 500.0;
  static constexpr double kDoubleClickDistance = 4.0;

  static ScriptedUser& Shared();

  // Answers, records and click memory forgotten, and the system as at start: screen, cursor and
  // display, pasteboard, workspace, colour panel, application (tests call it first).
  void Reset();

  // Answers for the next menu, alert and panel.
  void ChooseMenuItem(std::vector<int> path); // item indices from the top menu down
  void DismissMenu();
  void PressAlertButton(int index); // 0 for the first button
  void ChooseInPanel(std::vector<std::string> paths);

  // Gestures, at points in window coordinates (origin bottom left): where the hand moves the
  // mouse. Presses count clicks. While the cursor is hidden (and not for a pen) an event lands
  // where the cursor is plus the hand's motion since the previous gesture, so that a cursor
  // warped back after each event reports each motion once, as a real mouse does.
  void MoveMouse(Window& window, Point point, unsigned long modifiers = 0);
  void PressMouse(Window& window, Point point, MouseButton button = MouseButton::Left,
                  unsigned long modifiers = 0);
  void DragMouse(Window& window, Point point, MouseButton button = MouseButton::Left,
                 unsigned long modifiers = 0);
  void ReleaseMouse(Window& window, Point point, MouseButton button = MouseButton::Left,
                    unsigned long modifiers = 0);
  void Click(Window& window, Point point, MouseButton button = MouseButton::Left,
             unsigned long modifiers = 0);
  void ScrollWheel(Window& window, Point point, double deltaY, double deltaX = 0.0,
                   unsigned long modifiers = 0);
  // Mouse events from now on come from a tablet pen (or from the mouse again).
  void SetTabletInput(bool tablet) noexcept { mTablet = tablet; }

  // A key pressed and released: its hardware code, its text without and with the modifiers
  // (none: no text; characters default to the unmodified text).
  void PressKey(Window& window, std::uint16_t keyCode,
                std::optional<std::u16string> charactersIgnoringModifiers, unsigned long modifiers = 0,
                std::optional<std::u16string> characters = std::nullopt);
  // Each character of text as a key without a hardware code; "\r" and "\t" as Return and Tab.
  void TypeText(Window& window, std::string_view text);

  // Files dragged from outside and dropped at point: a pasteboard with their file addresses
  // (none for an empty list). True when a view took the drop.
  bool DropFiles(Window& window, const std::vector<std::string>& paths, Point point);
  bool Drop(Window& window, std::shared_ptr<Pasteboard> pasteboard, Point point);

  // The mouse rests at point: the tooltip shown there, none without one.
  std::optional<std::string> HoverToolTip(Window& window, Point point);

  // A colour picked in the open colour panel; false while it is closed.
  bool PickColor(Color color);

  // What was shown, oldest first.
  const std::vector<MenuRecord>& Menus() const noexcept { return mMenus; }
  const std::vector<AlertRecord>& Alerts() const noexcept { return mAlerts; }
  const std::vector<PanelRecord>& Panels() const noexcept { return mPanels; }
  const std::vector<DraggingSessionRef>& DraggingSessions() const noexcept { return mDrags; }
  // Menu answers given and not yet taken by a menu.
  std::size_t MenuAnswersWaiting() const noexcept { return mMenuAnswers.size(); }

  // For the layer: the next answer of each kind, and the records.
  std::vector<int> TakeMenuAnswer();
  int TakeAlertAnswer();
  PanelAnswer TakePanelAnswer();
  void RecordMenu(MenuRecord record) { mMenus.push_back(std::move(record)); }
  void RecordAlert(AlertRecord record) { mAlerts.push_back(std::move(record)); }
  void RecordPanel(PanelRecord record) { mPanels.push_back(std::move(record)); }
  void RecordDraggingSession(DraggingSessionRef session) { mDrags.push_back(std::move(session)); }

private:
  struct ClickMemory
  {
    double timeMs = 0.0;
    Point point;
    long count = 0;
  };
  // The event of the hand moving the mouse to point (window coordinates); remembers the hand.
  Event MouseEvent(Window& window, EventType type, Point point, unsigned long modifiers);
  void SendKey(Window& window, std::uint16_t keyCode, const std::optional<std::u16string>& ignoring,
               const std::optional<std::u16string>& characters, unsigned long modifiers);

  std::deque<std::vector<int>> mMenuAnswers;
  std::deque<int> mAlertAnswers;
  std::deque<PanelAnswer> mPanelAnswers;
  bool mTablet = false;
  ClickMemory mClicks[2];
  std::optional<Point> mHand; // where the hand last put the mouse, screen points
  std::vector<MenuRecord> mMenus;
  std::vector<AlertRecord> mAlerts;
  std::vector<PanelRecord> mPanels;
  std::vector<DraggingSessionRef> mDrags;
};

} // namespace plugin::sys
