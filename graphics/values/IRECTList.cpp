#include "graphics/values/IRECTList.h"

namespace plugin::ui {

bool IRECTList::Add(const IRECT& r) noexcept
{
  const int n = Size();
  IRECT* rects = mRects.Resize(n + 1, false);
  if (!rects || mRects.GetSize() != n + 1) return false;
  rects[n] = r;
  return true;
}

void IRECTList::Remove(int idx) noexcept
{
  const int n = Size();
  if (idx < 0 || idx >= n) return;
  IRECT* rects = mRects.Get();
  for (int i = idx; i < n - 1; ++i)
    rects[i] = rects[i + 1];
  mRects.Resize(n - 1, false);
}

IRECT IRECTList::Bounds() const noexcept
{
  IRECT box;
  for (int i = 0; i < Size(); ++i)
    box = box.Union(Get(i));
  return box;
}

} // namespace plugin::ui
