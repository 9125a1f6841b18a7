#pragma once

#include "graphics/control/IControl.h"
#include "graphics/control/IVectorBase.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace plugin::ui {

// Base of vector controls that show several values side by side as tracks (bars), each bound to
// its own value entry: vertical bars side by side, or horizontal bars stacked top to bottom.
// A track fills from its start, or from a base value, up to its value and shows a peak band at
// the value edge; with steps the fill snaps to the step cells instead. The track under the
// pointer is highlighted. Concrete controls add Draw. Main thread only.
class IVTrackControlBase : public IControl, public IVectorBase
{
public:
  // One value entry per listed parameter (an empty list gives none); nSteps 0 is continuous.
  IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style,
                     const std::initializer_list<int>& params, int nSteps = 0,
                     EDirection dir = EDirection::Vertical,
                     const std::initializer_list<const char*>& trackNames = {});
  ~IVTrackControlBase() override;

  // The track under the pointer becomes the highlighted one; redraw. Dispatch, main thread.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // No track highlighted; redraw. Dispatch, main thread.
  void OnMouseOut() override;
  // Label, value and widget rectangles, then the tracks and step cells; redraw. Attaching and resizes.
  void OnResize() override;
  // The first track containing the point, -1 when none.
  int GetValIdxForPos(float x, float y) const override;

  // --- Drawing steps, called by Draw in the frame loop on the main thread; no allocation. ---

  // Every track.
  void DrawWidget(ICanvas& g) override;
  // r in the background colour; with a base value, a line in the shadow colour where it lies.
  void DrawBackground(ICanvas& g, const IRECT& r) override;
  // Highlight, name, value fill and peak (or the step cell), then the track's frame.
  virtual void DrawTrack(ICanvas& g, const IRECT& r, int chIdx);
  // Nothing visible.
  virtual void DrawTrackHighlight(ICanvas& g, const IRECT& r, int chIdx);
  // Name chIdx in the control's text style ("" past the names).
  virtual void DrawTrackName(ICanvas& g, const IRECT& r, int chIdx);
  // The foreground colour, then the highlight colour over it for the hovered track.
  virtual void DrawTrackValueFill(ICanvas& g, const IRECT& r, int chIdx, bool baseBelowValue);
  // The frame colour.
  virtual void DrawTrackPeakFill(ICanvas& g, const IRECT& r, int chIdx, bool baseBelowValue);

  // --- Layout, from OnResize ---

  // One rectangle per value entry inside r.
  virtual void MakeTrackRects(const IRECT& r);
  // nSteps (+1 with a cell for value 0) cells across r along the direction; none for nSteps <= 0.
  virtual void MakeStepRects(const IRECT& r, int nSteps);

  // Value the fills start from, limited to 0..1 (NaN: 0); redraw.
  void SetBaseValue(double value);
  // Space between tracks, then a new layout.
  void SetTrackPadding(float padding);
  // Height (or width) of the peak band; redraw.
  void SetPeakSize(float size);
  // Number of steps (0: continuous), then a new layout.
  void SetNSteps(int nSteps);

  EDirection GetDirection() const noexcept { return mDirection; }
  const std::vector<IRECT>& GetTrackBounds() const noexcept { return mTrackBounds; }
  const std::vector<IRECT>& GetStepBounds() const noexcept { return mStepBounds; }
  int GetMouseOverTrack() const noexcept { return mMouseOverTrack; }

protected:
  // The control's outline in the frame colour, when the style draws frames and tracks have frames.
  void DrawTrackFrame(ICanvas& g, const IRECT& r);

  EDirection mDirection;
  std::vector<IRECT> mTrackBounds;
  std::vector<IRECT> mStepBounds;
  std::vector<std::string> mTrackNames;
  int mNSteps;
  float mTrackPadding = 0.f;
  float mPeakSize = 1.f;
  int mMouseOverTrack = -1;
  double mBaseValue = 0.0;
  bool mDrawTrackFrame = true;
  bool mZeroValueStepHasBounds = true;
};

} // namespace plugin::ui
