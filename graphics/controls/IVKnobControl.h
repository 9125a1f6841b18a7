#pragma once

#include "graphics/control/IKnobControlBase.h"
#include "graphics/control/IVectorBase.h"

namespace plugin::ui {

// A vector-drawn rotary knob: an arc from the anchor angle to the value's angle, a round pressable
// handle with a pointer, an optional label and an optional value text that can be clicked to type
// a value. Angles are degrees, 0 straight up, growing clockwise. Dragging and the wheel are the
// knob base's, measured over a box sized from the widget. Main thread only.
class IVKnobControl : public IKnobControlBase, public IVectorBase
{
public:
  // Bound to paramIdx (-1: none); no action.
  IVKnobControl(const IRECT& bounds, int paramIdx, const char* label = "",
                const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                bool valueInWidget = false, float startAngle = -135.f, float endAngle = 135.f,
                float anchorAngle = -135.f, EDirection direction = EDirection::Vertical, double gearing = 4.0,
                float trackSize = 2.f);
  // Unbound; action runs on every change.
  IVKnobControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                bool valueInWidget = false, float startAngle = -135.f, float endAngle = 135.f,
                float anchorAngle = -135.f, EDirection direction = EDirection::Vertical, double gearing = 4.0,
                float trackSize = 2.f);
  ~IVKnobControl() override;

  // A press on the shown, editable value text prompts for a value; elsewhere a drag starts. Then
  // redraw.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Ends the drag and sends the final value once more (action included).
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // The value under the pointer goes back to its default.
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  // Tracks whether the pointer is over an editable value text; redraw.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  // Lays out label, widget and value; the hit rectangle follows.
  void OnResize() override;
  // The parameter's value text with unit; its name as label when none was given.
  void OnInit() override;
  // The frame loop draws: background, label, widget, value text (a faint backing while hovered).
  void Draw(ICanvas& g) override;
  // The widget, and the value text when it is editable; never the label.
  bool IsHit(float x, float y) const override;
  // Marks every value dirty (whatever valIdx), then refreshes the value text with unit.
  void SetDirty(bool triggerAction, int valIdx = -1) override;
  // The box a drag is measured over: half as wide as high for a wide widget, else half as high.
  IRECT GetKnobDragBounds() override;

  // Arc, handle and pointer. Frame loop.
  void DrawWidget(ICanvas& g) override;
  // Arc of radius r from the anchor to angle, when the track has a size. Frame loop.
  virtual void DrawIndicatorTrack(ICanvas& g, float angle, float cx, float cy, float r);
  // Radial pointer at angle between the inner and outer fractions of r. Frame loop.
  virtual void DrawPointer(ICanvas& g, float angle, float cx, float cy, float r);

  bool GetMouseOverValue() const noexcept { return mMouseOverValue; }
  // The angle the value v (0..1) points at.
  float ValueAngle(double v) const noexcept;

protected:
  float mHandleGap = 4.f;
  float mPointerInnerFrac = 0.1f;
  float mPointerOuterFrac = 1.f;
  float mPointerThickness = 2.5f;
  float mStartAngle;
  float mEndAngle;
  float mAnchorAngle;
  bool mMouseOverValue = false;
};

} // namespace plugin::ui
