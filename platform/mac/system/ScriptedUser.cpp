#include "platform/mac/system/ScriptedUser.h"

#include "framework/text/UnicodeCodec.h"
#include "platform/mac/system/Application.h"
#include "platform/mac/system/ColorPanel.h"
#include "platform/mac/system/Cursor.h"
#include "platform/mac/system/Display.h"
#include "platform/mac/system/RunLoopTimer.h"
#include "platform/mac/system/Screen.h"
#include "platform/mac/system/Window.h"
#include "platform/mac/system/Workspace.h"

#include <cmath>

namespace plugin::sys {

ScriptedUser& ScriptedUser::Shared()
{
  static ScriptedUser user;
  return user;
}

void ScriptedUser::Reset()
{
  *this = ScriptedUser{};
  Screen::Main().Reset();
  ResetDisplayCursor();
  Cursor::Reset();
  Pasteboard::General().Reset();
  Workspace::Shared().Reset();
  ColorPanel::Reset();
  ResetApplication();
}

void ScriptedUser::ChooseMenuItem(std::vector<int> path)
{
  mMenuAnswers.push_back(std::move(path));
}

void ScriptedUser::DismissMenu()
{
  mMenuAnswers.emplace_back();
}

void ScriptedUser::PressAlertButton(int index)
{
  mAlertAnswers.push_back(index);
}

void ScriptedUser::ChooseInPanel(std::vector<std::string> paths)
{
  mPanelAnswers.push_back(PanelAnswer{true, std::move(paths)});
}

std::vector<int> ScriptedUser::TakeMenuAnswer()
{
  if (mMenuAnswers.empty()) return {};
  std::vector<int> answer = std::move(mMenuAnswers.front());
  mMenuAnswers.pop_front();
  return answer;
}

int ScriptedUser::TakeAlertAnswer()
{
  if (mAlertAnswers.empty()) return 0;
  const int answer = mAlertAnswers.front();
  mAlertAnswers.pop_front();
  return answer;
}

PanelAnswer ScriptedUser::TakePanelAnswer()
{
  if (mPanelAnswers.empty()) return {};
  PanelAnswer answer = std::move(mPanelAnswers.front());
  mPanelAnswers.pop_front();
  return answer;
}

Event ScriptedUser::MouseEvent(Window& window, EventType type, Point point, unsigned long modifiers)
{
  const Point hand = window.ConvertRectToScreen(Rect{point, {}}).origin;
  const Point motion = mHand ? Point{hand.x - mHand->x, hand.y - mHand->y} : Point{};
  mHand = hand;
  Event event;
  event.type = type;
  event.locationInWindow = point;
  // A hidden cursor may have been warped back since the last event: the mouse moves it on from
  // where it is now by the hand's motion, as a real mouse does. A pen always points where it is.
  if (!mTablet && DisplayCursor().hideCount > 0) {
    const Point cursor = window.MouseLocationInWindow();
    event.locationInWindow = {cursor.x + motion.x, cursor.y + motion.y};
  }
  event.modifierFlags = modifiers;
  event.subtype = mTablet ? kEventSubtypeTabletPoint : kEventSubtypeMouse;
  event.deltaX = motion.x;
  event.deltaY = -motion.y; // positive downward, as mouse deltas are
  event.timestampMs = MainRunLoop().NowMs();
  return event;
}

void ScriptedUser::MoveMouse(Window& window, Point point, unsigned long modifiers)
{
  window.SendEvent(MouseEvent(window, EventType::MouseMoved, point, modifiers));
}

void ScriptedUser::PressMouse(Window& window, Point point, MouseButton button, unsigned long modifiers)
{
  const bool left = button == MouseButton::Left;
  Event event =
      MouseEvent(window, left ? EventType::LeftMouseDown : EventType::RightMouseDown, point, modifiers);
  ClickMemory& clicks = mClicks[left ? 0 : 1];
  const bool again = clicks.count > 0 && event.timestampMs - clicks.timeMs <= kDoubleClickIntervalMs &&
                     std::abs(point.x - clicks.point.x) <= kDoubleClickDistance &&
                     std::abs(point.y - clicks.point.y) <= kDoubleClickDistance;
  clicks = ClickMemory{event.timestampMs, point, again ? clicks.count + 1 : 1};
  event.clickCount = clicks.count;
  window.SendEvent(event);
}

void ScriptedUser::DragMouse(Window& window, Point point, MouseButton button, unsigned long modifiers)
{
  const bool left = button == MouseButton::Left;
  window.SendEvent(
      MouseEvent(window, left ? EventType::LeftMouseDragged : EventType::RightMouseDragged, point, modifiers));
}

void ScriptedUser::ReleaseMouse(Window& window, Point point, MouseButton button, unsigned long modifiers)
{
  const bool left = button == MouseButton::Left;
  Event event = MouseEvent(window, left ? EventType::LeftMouseUp : EventType::RightMouseUp, point, modifiers);
  event.clickCount = mClicks[left ? 0 : 1].count;
  window.SendEvent(event);
}

void ScriptedUser::Click(Window& window, Point point, MouseButton button, unsigned long modifiers)
{
  PressMouse(window, point, button, modifiers);
  ReleaseMouse(window, point, button, modifiers);
}

void ScriptedUser::ScrollWheel(Window& window, Point point, double deltaY, double deltaX,
                               unsigned long modifiers)
{
  Event event = MouseEvent(window, EventType::ScrollWheel, point, modifiers);
  event.deltaX = deltaX;
  event.deltaY = deltaY;
  window.SendEvent(event);
}

void ScriptedUser::SendKey(Window& window, std::uint16_t keyCode,
                           const std::optional<std::u16string>& ignoring,
                           const std::optional<std::u16string>& characters, unsigned long modifiers)
{
  Event event;
  event.type = EventType::KeyDown;
  event.locationInWindow = window.MouseLocationInWindow();
  event.modifierFlags = modifiers;
  event.keyCode = keyCode;
  event.charactersIgnoringModifiers = ignoring;
  event.characters = characters ? characters : ignoring;
  event.timestampMs = MainRunLoop().NowMs();
  window.SendEvent(event);
  event.type = EventType::KeyUp;
  window.SendEvent(event);
}

void ScriptedUser::PressKey(Window& window, std::uint16_t keyCode, std::optional<std::u16string> ignoring,
                            unsigned long modifiers, std::optional<std::u16string> characters)
{
  SendKey(window, keyCode, ignoring, characters, modifiers);
}

void ScriptedUser::TypeText(Window& window, std::string_view typed)
{
  const std::u16string units = text::Utf8ToUtf16(typed);
  for (std::size_t i = 0, n = 0; i < units.size(); i += n) {
    n = text::DecodeUtf16(units, i).length; // a pair goes as one key
    const std::u16string ch = units.substr(i, n);
    const std::uint16_t code = ch == u"\r" || ch == u"\n" ? kKeyCodeReturn
                               : ch == u"\t"              ? kKeyCodeTab
                                                          : kKeyCodeNone;
    SendKey(window, code, ch == u"\n" ? u"\r" : ch, std::nullopt, 0);
  }
}

bool ScriptedUser::DropFiles(Window& window, const std::vector<std::string>& paths, Point point)
{
  auto pasteboard = Pasteboard::Create();
  std::vector<Url> urls;
  for (const std::string& path : paths)
    if (auto url = Url::FileUrlWithPath(path)) urls.push_back(std::move(*url));
  pasteboard->WriteObjects(urls);
  return Drop(window, std::move(pasteboard), point);
}

bool ScriptedUser::Drop(Window& window, std::shared_ptr<Pasteboard> pasteboard, Point point)
{
  if (!pasteboard) return false;
  mHand = window.ConvertRectToScreen(Rect{point, {}}).origin;
  SetMouseLocation(*mHand);
  return window.DeliverDrop(DraggingInfo{std::move(pasteboard), point});
}

std::optional<std::string> ScriptedUser::HoverToolTip(Window& window, Point point)
{
  MoveMouse(window, point);
  return window.ToolTipAt(point);
}

bool ScriptedUser::PickColor(Color color)
{
  return ColorPanel::PickColor(color);
}

} // namespace plugin::sys
