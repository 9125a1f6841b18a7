#pragma once

#include "graphics/controls/IVTrackControlBase.h"

namespace plugin::ui {

// A range slider: one straight track with two or more triangle handles, one per value, whose
// values stay in order (a handle cannot be dragged past its neighbours). The span between
// neighbouring handles is filled. Even handles sit below (horizontal) or left of (vertical) the
// track, odd ones above or right of it. Main thread only.
class IVRangeSliderControl : public IVTrackControlBase
{
public:
  // No steps, no names; handleSize is half a handle's width, trackSize half the track's thickness.
  IVRangeSliderControl(const IRECT& bounds, const std::initializer_list<int>& params = {-1, -1},
                       const char* label = "", const IVStyle& style = DEFAULT_STYLE,
                       EDirection dir = EDirection::Vertical, float handleSize = 8.f, float trackSize = 2.f);
  ~IVRangeSliderControl() override;

  // --- Events (dispatch, main thread) ---

  // Pressed, then handled as a drag at the point.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Not pressed; redraw.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // The hovered handle follows the pointer between its neighbours' values.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // The handle under the pointer, then the track hover.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // No handle or track hovered; redraw.
  void OnMouseOut() override;

  // --- Drawing (frame loop) ---

  // Background, label, widget.
  void Draw(ICanvas& g) override;
  // Spans between handles, the track's frame, then each handle.
  void DrawWidget(ICanvas& g) override;
  // Handle chIdx as a pressable triangle pointing at the track.
  void DrawTrack(ICanvas& g, const IRECT& r, int chIdx) override;
  // Every track is the same line through the middle of r, handleSize in from its ends.
  void MakeTrackRects(const IRECT& r) override;

  // Rectangle of handle i at its value; all zero for a value entry without a track.
  IRECT GetHandleBounds(int i) const;
  int GetMouseOverHandle() const noexcept { return mMouseOverHandle; }

protected:
  // Position of value i along track i: x (horizontal) or y (vertical).
  float PositionOf(int i) const;

  int mMouseOverHandle = -1;
  float mHandleSize;
  bool mMouseIsDown = false;
};

} // namespace plugin::ui
