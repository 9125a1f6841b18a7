#pragma once

#include "graphics/canvas/ICanvas.h"
#include "graphics/values/IMouse.h"
#include "graphics/values/IRECTList.h"
#include "platform/mac/system/ColorPanel.h"
#include "platform/mac/system/Cursor.h"
#include "platform/mac/system/Dragging.h"
#include "platform/mac/system/RunLoopTimer.h"
#include "platform/mac/system/TextField.h"
#include "platform/mac/system/View.h"

#include <memory>

namespace plugin::ui {

class ICanvasMac;
class ICanvasTextField_vKelmo_vst3;

// The view that hosts the editor in the host's window. It owns the GPU layer the render backend
// draws into, runs the frame loop on a repeating timer of the main run loop, turns the window's
// mouse, wheel, key and drop events into the toolkit's records (in toolkit units: view points
// divided by the draw scale; the view is flipped like the toolkit), sets the cursor, supplies
// tooltips, shows the colour panel, and opens the native text field and menu. Made and closed
// by its graphics context (ICanvasMac); the context can be detached from it, after which every
// handler does nothing. Main thread only.
class ICanvasView_vKelmo_vst3 final : public sys::View,
                                      public sys::ToolTipOwner,
                                      public sys::DraggingSource,
                                      public sys::TextFieldDelegate
{
public:
  // A view of the context's window size in view points with its GPU layer (8-bit BGRA on the
  // system's default device), taking file drops; its frame timer runs from here on. Allocates.
  static std::shared_ptr<ICanvasView_vKelmo_vst3> Create(ICanvasMac& graphics);
  explicit ICanvasView_vKelmo_vst3(ICanvasMac& graphics, sys::Rect frame);
  // Closes the colour panel when it exists and stops observing notifications.
  ~ICanvasView_vKelmo_vst3() override;

  // --- Graphics context ---

  // The context is going: from now on the view draws nothing and forwards nothing. The context
  // calls it before it tears the view down.
  void DetachGraphics() noexcept { mGraphics = nullptr; }
  ICanvasMac* GetGraphics() const noexcept { return mGraphics; }

  // --- Frame loop ---

  // Starts the repeating frame timer at the context's frame rate (0 or less means 60); stops
  // one already running first.
  void SetTimer();
  void KillTimer() noexcept;
  bool TimerRunning() const noexcept { return mTimer != nullptr; }
  // One frame: draws the dirty controls through the context when any are dirty. The timer calls it.
  void Render();

  // --- Window, scale, size and appearance (the window calls these) ---

  bool IsOpaque() const override { return mGraphics != nullptr; }
  bool IsFlipped() const override { return true; }
  bool AcceptsFirstResponder() override { return true; }
  bool AcceptsFirstMouse(const sys::Event*) override { return true; }
  void ViewDidMoveToWindow() override;
  void ViewDidChangeBackingProperties() override;
  void ViewDidChangeEffectiveAppearance() override;
  // The view's frame changed (a notification while in a window): the drawable follows.
  void FrameDidChange();
  // Replaces the tracking area by one over the bounds: entered/exited, always, during drags.
  void UpdateTrackingAreas() override;
  const sys::TrackingAreaRef& TrackingArea() const noexcept { return mTrackingArea; }

  // --- Events ---

  // The event's position in toolkit units; false (x, y untouched) without a context. Updates the
  // previous position through the context's cursor lock, and the context's tablet flag.
  bool GetMouseXY(const sys::Event& event, float& x, float& y);
  // The record of a left or right button event (Command makes a left click a right one too).
  IMouseInfo GetMouseLeft(const sys::Event& event);
  IMouseInfo GetMouseRight(const sys::Event& event);

  void MouseDown(const sys::Event& event) override;
  void RightMouseDown(const sys::Event& event) override;
  void MouseUp(const sys::Event& event) override;
  void RightMouseUp(const sys::Event& event) override;
  void MouseDragged(const sys::Event& event) override;
  void RightMouseDragged(const sys::Event& event) override;
  void MouseMoved(const sys::Event& event) override;
  void MouseEntered(const sys::Event& event) override;
  void MouseExited(const sys::Event& event) override;
  void ScrollWheel(const sys::Event& event) override;
  // Keys the context does not handle go on up the responder chain to the host.
  void KeyDown(const sys::Event& event) override;
  void KeyUp(const sys::Event& event) override;

  // Last mouse position in toolkit units, and whether the mouse left during a capture.
  float PrevX() const noexcept { return mPrevX; }
  float PrevY() const noexcept { return mPrevY; }
  bool MouseOutDuringDrag() const noexcept { return mMouseOutDuringDrag; }

  // --- Cursor, tooltips, colour panel ---

  // Sets the system cursor of kind (see MacCursorForKind), ending the help-cursor mode first.
  void SetMouseCursor(int kind);
  // Adds a tooltip rectangle over r (toolkit units), owned by this view.
  void RegisterToolTip(const IRECT& r);
  // The tooltip text of the context's tooltip control; "" without one.
  std::string StringForToolTip(sys::View& view, long tag, sys::Point point, void* userData) override;
  // Opens the shared colour panel on color; func gets every colour picked. True when the panel
  // exists.
  bool PromptForColor(const IColor& color, IColorPickerHandlerFunc func);
  // The colour panel's action: the picked colour to the stored function (nothing when empty).
  void OnColorPicked(sys::ColorPanel& panel);

  // --- Drag and drop ---

  // Generic for a drag carrying file names, none otherwise.
  unsigned long DraggingEntered(const sys::DraggingInfo& info) override;
  // Hands the dropped files to the context at the drop point (toolkit units); always true.
  bool PerformDragOperation(const sys::DraggingInfo& info) override;
  // As a drag source the view offers copying only.
  unsigned long SourceOperationMask(sys::DraggingSession& session, sys::DraggingContext context) override;

  // The host (or the context) removes the view: an open text field closes, the editor closes
  // through its delegate, then the view leaves its superview. The view stays alive until the
  // call returns.
  void RemoveFromSuperview() override;

  // --- Native text entry and menus ---

  // Opens the native text field over areaRect (view points) with str, vetted by a formatter for
  // parameter paramIdx's type and length. Nothing while one is open or without a context.
  void CreateTextEntry(int paramIdx, const IText& text, const char* str, int length, sys::Rect areaRect);
  // The field's editing ended (Return, Tab, loss of focus): its text to the context.
  void ControlTextDidEndEditing(sys::TextField& field) override;
  // Closes the field without committing.
  void EndUserInput();
  const std::shared_ptr<ICanvasTextField_vKelmo_vst3>& TextField() const noexcept { return mTextFieldView; }
  // Shows menu modally at bounds (view points); the (sub)menu chosen from, with its chosen index
  // set, or null when dismissed.
  IPopupMenu* CreatePopupMenu(IPopupMenu& menu, sys::Rect bounds);

  // The move cursor, once built (tests).
  const sys::CursorRef& MoveCursor() const noexcept { return mMoveCursor; }

private:
  // Drawable size = frame size x the window's backing scale.
  void UpdateDrawableSize();
  void ObserveFrameChanges();

  std::unique_ptr<sys::RunLoopTimer> mTimer;
  sys::TrackingAreaRef mTrackingArea;
  std::shared_ptr<ICanvasTextField_vKelmo_vst3> mTextFieldView;
  sys::CursorRef mMoveCursor;
  float mPrevX = 0.f;
  float mPrevY = 0.f;
  bool mMouseOutDuringDrag = false;
  IRECTList mDirtyRects;
  IColorPickerHandlerFunc mColorPickerFunc;
  ICanvasMac* mGraphics;
  bool mObservingFrame = false;
};

} // namespace plugin::ui
