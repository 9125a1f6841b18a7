#pragma once

#include "graphics/resources/IBitmap.h"
#include "graphics/values/IRECT.h"

namespace plugin::ui {

class ICanvas;
class IControl;

// Mix-in of bitmap-drawn controls: a strip of equally sized frames and the frame drawn for the
// control's value. A bitmap control derives from IControl (or an interaction base) and this class,
// sets mControl to itself in its constructor, draws with DrawBitmap and rescales with OnRescale.
// Main thread only.
class IBitmapBase
{
public:
  explicit IBitmapBase(const IBitmap& bitmap);
  virtual ~IBitmapBase();

  // The frame for value 0 of the control, frame-sized and centred in its bounds, with its blend.
  // Nothing for an empty bitmap or before a control is bound. Frame loop; no allocation.
  void DrawBitmap(ICanvas& g);
  // Reloads the same resource, frame count and direction at the screen scale rounded up; a bitmap
  // that cannot be loaded again (one without a resource name) is kept. The control's rescale
  // handler calls it on the main thread; may load and allocate.
  void OnRescale();

  // 1-based frame for a normalised value: 1 for fewer than 2 frames, else the nearest of N frames
  // (halves up), limited to 1..N; NaN reads as 0.
  static int FrameForValue(double value, int nFrames);
  // A rectangle of w x h centred on bounds' centre: L = (bounds.L + bounds.R - w) / 2, R = L + w.
  static IRECT CentredFrameRect(const IRECT& bounds, float w, float h);
  // The frame of bitmap for value 0 of control, frame-sized and centred in its bounds, with its
  // blend; nothing for an empty bitmap. For bitmap controls that hold their bitmap elsewhere.
  static void DrawFrameFor(ICanvas& g, const IBitmap& bitmap, const IControl& control);
  // bitmap reloaded at the screen scale of control's graphics context rounded up; kept when the
  // control is not attached or the bitmap cannot be loaded again.
  static void RescaleFor(const IControl& control, IBitmap& bitmap);

  void AttachIControl(IControl* control) noexcept { mControl = control; }
  const IBitmap& GetBitmap() const noexcept { return mBitmap; }

protected:
  IBitmap mBitmap;
  IControl* mControl = nullptr;
};

} // namespace plugin::ui
