#include "graphics/values/IRECTList.h"

namespace plugin::ui {

namespace {

bool HasArea(const IRECT& r)
{
  return r.W() > 0.f && r.H() > 0.f;
}

// Same left and right edges overlapping or touching vertically, or same top and bottom edges
// overlapping or touching horizontally: their union covers exactly the two.
bool Collinear(const IRECT& a, const IRECT& b)
{
  if (a.L == b.L && a.R == b.R) return a.T <= b.B && b.T <= a.B;
  if (a.T == b.T && a.B == b.B) return a.L <= b.R && b.L <= a.R;
  return false;
}

// Splits r minus its overlap i with another rectangle into two pieces when i holds one corner of
// r (the only shape two pieces can cover); false otherwise, and then nothing is cut, because
// cutting a crossing bar or a notch this way would lose area and leave stale pixels.
bool CutCorner(const IRECT& r, const IRECT& i, IRECT& appended, IRECT& kept)
{
  const bool left = r.L == i.L;
  const bool top = r.T == i.T;
  if (!left && !top) {
    if (i.R != r.R || i.B != r.B) return false; // the overlap must hold the bottom-right corner
    appended = IRECT(r.L, r.T, r.R, i.T);
    kept = IRECT(r.L, i.T, i.L, r.B);
  } else if (!left && top) {
    if (i.R != r.R) return false; // top-right corner
    appended = IRECT(r.L, r.T, i.L, i.B);
    kept = IRECT(r.L, i.B, r.R, r.B);
  } else if (left && !top) {
    if (i.B != r.B) return false; // bottom-left corner
    appended = IRECT(r.L, r.T, r.R, i.T);
    kept = IRECT(i.R, i.T, r.R, r.B);
  } else {
    appended = IRECT(i.R, r.T, r.R, i.B); // top-left corner
    kept = IRECT(r.L, i.B, r.R, r.B);
  }
  return true;
}

} // namespace

void IRECTList::Consolidate() noexcept
{
  for (int i = 0; i < Size(); ++i) {
    for (int j = i + 1; j < Size(); ++j) {
      const IRECT a = Get(i);
      const IRECT b = Get(j);
      if (a.Empty() || b.Empty()) continue; // all-zero rectangles neither absorb nor are absorbed
      if (a.Contains(b)) {
        Remove(j--);
        continue;
      }
      if (b.Contains(a)) {
        Remove(i);
        j = i; // the rectangle that moved into place i starts its inner loop afresh
        continue;
      }
      if (Collinear(a, b)) {
        Get(i) = a.Union(b);
        Remove(j);
        j = i; // the grown rectangle may now take in ones already passed
        continue;
      }
      if (!a.Intersects(b)) continue;

      // The smaller one is cut around the overlap; one piece goes to the end of the list.
      const int cut = a.Area() >= b.Area() ? j : i;
      const IRECT r = Get(cut);
      IRECT appended;
      IRECT kept;
      if (!CutCorner(r, a.Intersect(b), appended, kept)) continue; // both stay whole
      if (HasArea(appended) && !Add(appended)) continue;           // cannot grow: nothing is cut
      if (HasArea(kept)) {
        Get(cut) = kept;
      } else {
        Remove(cut);
        if (cut == i) {
          j = i; // a new rectangle in place i
          continue;
        }
        --j;
      }
    }
  }
}

} // namespace plugin::ui
