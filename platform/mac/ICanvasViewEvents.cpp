#include "platform/mac/ICanvasMac.h"
#include "platform/mac/ICanvasTextField.h"
#include "platform/mac/ICanvasView.h"
#include "platform/mac/MacKeyTranslation.h"

// Event translation: the window's mouse, wheel and key events as the toolkit's records, in
// toolkit units, handed to the graphics context.

namespace plugin::ui {

namespace {

IMouseMod ModifiersOf(const sys::Event& event)
{
  IMouseMod mod;
  mod.shift = (event.modifierFlags & sys::kEventModifierShift) != 0;
  mod.control = (event.modifierFlags & sys::kEventModifierControl) != 0;
  mod.alt = (event.modifierFlags & sys::kEventModifierOption) != 0;
  return mod;
}

bool IsOdd(long clickCount)
{
  return clickCount % 2 != 0;
}

} // namespace

bool ICanvasView_vKelmo_vst3::GetMouseXY(const sys::Event& event, float& x, float& y)
{
  if (!mGraphics) return false;
  const sys::Point p = ConvertPointFromView(event.locationInWindow, nullptr);
  const double scale = mGraphics->GetDrawScale();
  x = static_cast<float>(p.x / scale);
  y = static_cast<float>(p.y / scale);
  // Locked, the previous position stays where the cursor was hidden, so drags measure from there.
  mPrevX = x;
  mPrevY = y;
  mGraphics->ApplyCursorLock(mPrevX, mPrevY);
  mGraphics->SetTabletInput(event.subtype == sys::kEventSubtypeTabletPoint);
  return true;
}

IMouseInfo ICanvasView_vKelmo_vst3::GetMouseLeft(const sys::Event& event)
{
  IMouseInfo info;
  GetMouseXY(event, info.x, info.y);
  info.ms = ModifiersOf(event);
  info.ms.leftButton = true;
  // Command-click: the context reads left and right together as a right click.
  info.ms.rightButton = (event.modifierFlags & sys::kEventModifierCommand) != 0;
  return info;
}

IMouseInfo ICanvasView_vKelmo_vst3::GetMouseRight(const sys::Event& event)
{
  IMouseInfo info;
  GetMouseXY(event, info.x, info.y);
  info.ms = ModifiersOf(event);
  info.ms.rightButton = true;
  return info;
}

void ICanvasView_vKelmo_vst3::MouseDown(const sys::Event& event)
{
  if (!mGraphics) return;
  const IMouseInfo info = GetMouseLeft(event);
  if (IsOdd(event.clickCount))
    mGraphics->OnMouseDown({info});
  else
    mGraphics->OnMouseDblClick(info.x, info.y, info.ms);
}

void ICanvasView_vKelmo_vst3::RightMouseDown(const sys::Event& event)
{
  if (!mGraphics) return;
  const IMouseInfo info = GetMouseRight(event);
  if (IsOdd(event.clickCount))
    mGraphics->OnMouseDown({info});
  else
    mGraphics->OnMouseDblClick(info.x, info.y, info.ms);
}

void ICanvasView_vKelmo_vst3::MouseUp(const sys::Event& event)
{
  if (!mGraphics) return;
  const IMouseInfo info = GetMouseLeft(event);
  mGraphics->OnMouseUp({info});
  // The release may have closed the editor.
  if (mGraphics && mMouseOutDuringDrag) {
    mGraphics->OnMouseOut();
    mMouseOutDuringDrag = false;
  }
}

void ICanvasView_vKelmo_vst3::RightMouseUp(const sys::Event& event)
{
  if (!mGraphics) return;
  mGraphics->OnMouseUp({GetMouseRight(event)});
}

void ICanvasView_vKelmo_vst3::MouseDragged(const sys::Event& event)
{
  if (!mGraphics) return;
  // A native text field is open: the drag belongs to it.
  if (mGraphics->GetControlInTextEntry() && !mGraphics->GetTextEntryControl()) return;
  const float prevX = mPrevX;
  const float prevY = mPrevY;
  IMouseInfo info = GetMouseLeft(event);
  info.dX = info.x - prevX;
  info.dY = info.y - prevY;
  mGraphics->OnMouseDrag({info});
}

void ICanvasView_vKelmo_vst3::RightMouseDragged(const sys::Event& event)
{
  if (!mGraphics || mTextFieldView) return;
  const float prevX = mPrevX;
  const float prevY = mPrevY;
  IMouseInfo info = GetMouseRight(event);
  info.dX = info.x - prevX;
  info.dY = info.y - prevY;
  mGraphics->OnMouseDrag({info});
}

void ICanvasView_vKelmo_vst3::MouseMoved(const sys::Event& event)
{
  if (!mGraphics) return;
  const IMouseInfo info = GetMouseLeft(event);
  mGraphics->OnMouseOver(info.x, info.y, info.ms);
}

void ICanvasView_vKelmo_vst3::MouseEntered(const sys::Event&)
{
  if (!mGraphics) return;
  mMouseOutDuringDrag = false;
  mGraphics->SetMouseCursor(mGraphics->GetCursorType());
}

void ICanvasView_vKelmo_vst3::MouseExited(const sys::Event&)
{
  if (!mGraphics) return;
  // A control holding the capture keeps the mouse until the release.
  if (mGraphics->CaptureIsEmpty())
    mGraphics->OnMouseOut();
  else
    mMouseOutDuringDrag = true;
}

void ICanvasView_vKelmo_vst3::ScrollWheel(const sys::Event& event)
{
  if (!mGraphics) return;
  if (mTextFieldView) EndUserInput();
  const IMouseInfo info = GetMouseLeft(event);
  mGraphics->OnMouseWheel(info.x, info.y, info.ms, static_cast<float>(event.deltaY));
}

void ICanvasView_vKelmo_vst3::KeyDown(const sys::Event& event)
{
  const IKeyPress key = MacKeyPress(event);
  if (!mGraphics || !mGraphics->OnKeyDown(mPrevX, mPrevY, key)) sys::View::KeyDown(event);
}

void ICanvasView_vKelmo_vst3::KeyUp(const sys::Event& event)
{
  const IKeyPress key = MacKeyPress(event);
  if (!mGraphics || !mGraphics->OnKeyUp(mPrevX, mPrevY, key)) sys::View::KeyUp(event);
}

} // namespace plugin::ui
