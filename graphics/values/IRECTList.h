#pragma once

#include "framework/buffers/TypedBuf.h"
#include "graphics/values/IRECT.h"

namespace plugin::ui {

// The rectangles to redraw in one frame, in the order they were added.
// Main thread only.
struct IRECTList
{
  TypedBuf<IRECT> mRects{4096};

  int Size() const noexcept { return mRects.GetSize(); }
  // Appends r; false (list unchanged) when the list could not grow.
  bool Add(const IRECT& r) noexcept;
  // Rectangle idx; the caller passes 0 <= idx < Size().
  const IRECT& Get(int idx) const noexcept { return mRects.Get()[idx]; }
  IRECT& Get(int idx) noexcept { return mRects.Get()[idx]; }
  // Removes rectangle idx, moving the later ones down; nothing for a bad idx.
  void Remove(int idx) noexcept;
  // Empties the list (keeps its memory).
  void Clear() noexcept { mRects.Resize(0, false); }
  // Bounding box of the non-empty rectangles; all zero when there is none.
  IRECT Bounds() const noexcept;
  // Merges nested, collinear and overlapping rectangles in place so that no area is listed twice.
  void Consolidate() noexcept;
};

} // namespace plugin::ui
