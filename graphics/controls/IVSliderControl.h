#pragma once

#include "graphics/control/ISliderControlBase.h"
#include "graphics/control/IVectorBase.h"

namespace plugin::ui {

// A vector-drawn linear fader: a rounded track, the part from the track's start to the value
// filled, a pressable handle at the value, an optional label and an optional value text that can
// be clicked to type a value. A vertical slider fills from the bottom. Pressing, dragging and the
// wheel are the slider base's. Main thread only.
class IVSliderControl : public ISliderControlBase, public IVectorBase
{
public:
  // Bound to paramIdx (-1: none). handleSize is the handle's half side; trackSize half the track's
  // thickness; the offsets move the drawn handle.
  IVSliderControl(const IRECT& bounds, int paramIdx, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                  EDirection direction = EDirection::Vertical, bool handleInsideTrack = false,
                  double gearing = 4.0, float handleSize = 8.f, float trackSize = 2.f,
                  float handleXOffset = 0.f, float handleYOffset = 0.f);
  // Unbound; action runs on every change.
  IVSliderControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueIsEditable = false,
                  EDirection direction = EDirection::Vertical, bool handleInsideTrack = false,
                  double gearing = 4.0, float handleSize = 8.f, float trackSize = 2.f,
                  float handleXOffset = 0.f, float handleYOffset = 0.f);
  ~IVSliderControl() override;

  // A press on the shown value text prompts for a value (nothing when the value is not editable);
  // elsewhere the base's press (the value jumps to the pointer).
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Ends the drag and sends the final value once more (action included).
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // The value under the pointer goes back to its default.
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  // Tracks whether the pointer is over an editable value text; redraw.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  // Lays out label, widget and value, then cuts the track from the widget.
  void OnResize() override;
  // The parameter's value text with unit; its name as label when none was given.
  void OnInit() override;
  // The frame loop draws: background, label, widget, value text (a faint backing while hovered).
  void Draw(ICanvas& g) override;
  // The widget, and the value text when it is editable; never the label.
  bool IsHit(float x, float y) const override;
  // Marks every value dirty (whatever valIdx), then refreshes the value text with unit.
  void SetDirty(bool triggerAction, int valIdx = -1) override;

  // Track with its filled part, then the handle. Frame loop.
  void DrawWidget(ICanvas& g) override;
  // The track and its filled part (lengthened by the handle size when the handle sits inside),
  // and the track's frame. Frame loop.
  virtual void DrawTrack(ICanvas& g, const IRECT& filled);
  // The pressable handle over bounds. Frame loop.
  virtual void DrawHandle(ICanvas& g, const IRECT& bounds);

  // The filled part of the track for the value v (0..1).
  IRECT FilledBounds(double v) const;
  bool GetValueMouseOver() const noexcept { return mValueMouseOver; }

protected:
  bool mHandleInsideTrack;
  bool mValueMouseOver = false;
  float mHandleXOffset;
  float mHandleYOffset;
};

} // namespace plugin::ui
