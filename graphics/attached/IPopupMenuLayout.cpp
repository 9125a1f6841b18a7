#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

// Layout of the in-editor popup menu: cell sizes, the cells of one panel, and where the root
// panel and submenu panels go.

namespace plugin::ui {

namespace {

// v limited to lo..hi; lo wins when the range is empty (a panel larger than the area).
float Limit(float v, float lo, float hi)
{
  return std::max(lo, std::min(v, hi));
}

} // namespace

// --- Sizes ---

IRECT IPopupMenuControl::GetLargestCellRectForMenu(IPopupMenu& menu, float x, float y) const
{
  float textW = 0.f;
  float textH = 0.f;
  if (mGraphicsContext) {
    for (int i = 0; i < menu.NItems(); ++i) {
      IRECT r;
      if (mGraphicsContext->MeasureText(mTextStyle, menu.GetItem(i)->GetText(), r) <= 0.f) continue;
      textW = std::max(textW, r.W());
      textH = std::max(textH, r.H());
    }
  }
  return IRECT(x, y, x + textW + mTickWidth + 2.f * mTextHorizontalInset + mArrowSpace, y + textH);
}

void IPopupMenuControl::GetPanelDimensions(IPopupMenu& menu, float& width, float& height) const
{
  const IRECT cell = GetLargestCellRectForMenu(menu, 0.f, 0.f);
  const int n = menu.NItems();
  int separators = 0;
  for (int i = 0; i < n; ++i)
    if (menu.GetItem(i)->GetIsSeparator()) ++separators;
  width = cell.W();
  height = static_cast<float>(n - separators) * cell.H() + static_cast<float>(separators) * mSeparatorSize +
           static_cast<float>(std::max(n - 1, 0)) * mCellGap;
}

// --- One panel ---

IPopupMenuControl::MenuPanel::MenuPanel(IPopupMenuControl& control, IPopupMenu& menu, float x, float y,
                                        int parentIdx)
    : mMenu(&menu), mParentIdx(parentIdx)
{
  const IRECT& area = control.mMaxBounds;
  const float inset = control.mPanelInset;
  const float gap = control.mCellGap;
  mSingleCellBounds = control.GetLargestCellRectForMenu(menu, x, y);
  const float cellW = mSingleCellBounds.W();
  const float cellH = mSingleCellBounds.H();
  const int n = menu.NItems();
  auto heightOf = [&](int i) { return menu.GetItem(i)->GetIsSeparator() ? control.mSeparatorSize : cellH; };

  std::vector<IRECT> cells;
  cells.reserve(static_cast<size_t>(n));
  float left = x + inset;
  float top = y + inset;
  bool tooBig = false;
  int inColumn = 0;
  for (int i = 0; i < n; ++i) {
    const float h = heightOf(i);
    const bool pastBottom = top + h + inset > area.B;
    const bool columnFull = control.mMaxColumnItems >= 1 && i >= 2 && i % control.mMaxColumnItems == 0;
    // A column holds at least one cell: a cell too tall for any column would start column after column.
    if ((pastBottom || columnFull) && inColumn > 0) {
      if (control.mScrollIfTooBig) {
        tooBig = true;
        break;
      }
      left += cellW + gap;
      top = y + inset;
      inColumn = 0;
    }
    cells.emplace_back(left, top, left + cellW, top + h);
    top += h + gap;
    ++inColumn;
  }

  if (tooBig) {
    // Scrolling cells all have the item height, since any item can scroll into any cell.
    const float startY = area.T + inset + control.mDropShadowSize;
    const float rowH = cellH + gap;
    const float rows = rowH > 0.f ? std::floor((area.B - (inset + startY)) / rowH) : 1.f;
    mScrollMaxRows = std::isfinite(rows) ? static_cast<int>(std::clamp(rows, 1.f, 1.0e6f)) : 1;
    cells.clear();
    left = x + inset;
    if (n >= mScrollMaxRows) {
      mScroller = true;
      for (int r = 0; r < mScrollMaxRows; ++r) {
        const float t = startY + static_cast<float>(r) * rowH;
        cells.emplace_back(left, t, left + cellW, t + cellH);
      }
    } else {
      // Everything fits once the panel moves up; it is kept inside the area.
      float stackH = 0.f;
      for (int i = 0; i < n; ++i)
        stackH += heightOf(i) + (i ? gap : 0.f);
      top = y + inset + cellH - static_cast<float>(n) * cellH;
      top = Limit(top, startY, area.B - inset - stackH);
      for (int i = 0; i < n; ++i) {
        cells.emplace_back(left, top, left + cellW, top + heightOf(i));
        top += heightOf(i) + gap;
      }
    }
  }
  mCellBounds = std::move(cells);

  IRECT area2 = mCellBounds.empty() ? IRECT(x + inset, y + inset, x + inset + cellW, y + inset) : IRECT();
  for (const IRECT& c : mCellBounds)
    area2 = area2.Union(c);
  if (control.mSpecifiedExpandedBounds.W() != 0.f) area2 = control.mSpecifiedExpandedBounds;
  mRECT = area2.GetPadded(inset);
  mTargetRECT = area2.GetPadded(inset + control.mDropShadowSize);
}

IRECT* IPopupMenuControl::MenuPanel::HitTestCells(float x, float y)
{
  for (int i = 0; i < NCells(); ++i) {
    IRECT& cell = mCellBounds[static_cast<size_t>(i)];
    if (!cell.Contains(x, y)) continue;
    const IPopupMenu::Item* item = ItemInCell(i);
    if (item && !item->GetEnabled()) return nullptr;
    return &cell;
  }
  return nullptr;
}

int IPopupMenuControl::MenuPanel::CellIndex(const IRECT* cell) const noexcept
{
  if (!cell || mCellBounds.empty()) return -1;
  const IRECT* first = mCellBounds.data();
  if (cell < first || cell >= first + mCellBounds.size()) return -1;
  return static_cast<int>(cell - first);
}

bool IPopupMenuControl::MenuPanel::HasDownArrow() const noexcept
{
  const int n = NCells();
  if (!mScroller || n == 0 || mScrollItemOffset + n >= mMenu->NItems()) return false;
  return !(n == 1 && HasUpArrow());
}

IPopupMenu::Item* IPopupMenuControl::MenuPanel::ItemInCell(int idx) const noexcept
{
  if (idx < 0 || idx >= NCells()) return nullptr;
  if ((idx == 0 && HasUpArrow()) || (idx == NCells() - 1 && HasDownArrow())) return nullptr;
  return mMenu->GetItem(idx + mScrollItemOffset);
}

// --- Placement ---

void IPopupMenuControl::Expand(const IRECT& anchor)
{
  if (!mMenu) return; // nothing to show yet
  Hide(false);
  mState = kExpanding;
  if (mGraphicsContext) mGraphicsContext->UpdateTooltips();
  DeletePanels();
  mShowSubMenuCallout = false;
  mAnchorArea = anchor;

  float w = 0.f;
  float h = 0.f;
  GetPanelDimensions(*mMenu, w, h);
  const IRECT& area = mMaxBounds;
  const float s = mDropShadowSize;
  const float a = mCallOut ? mCallOutArrowSize : 0.f;
  const float f = mTextStyle.mSize;
  const float acx = anchor.MW();
  const float acy = anchor.MH();
  const float mcx = area.MW();
  const float mcy = area.MH();
  const float minX = area.L + s;
  const float maxX = area.R - 2.f * s - w;
  const float minY = area.T + s;
  const float maxY = area.B - 2.f * s - h;
  auto fits = [&](float px, float py) { return minX < px && px <= maxX && minY < py && py <= maxY; };

  float x = 0.f;
  float y = 0.f;
  int dir = kArrowLeft;
  IRECT arrow;
  auto beside = [&](float py) {
    y = py;
    if (acx > mcx) {
      x = anchor.L - w - s - a;
      dir = kArrowRight;
      arrow = IRECT(anchor.L - a, acy - a / 2.f, anchor.L, acy + a / 2.f);
    } else {
      x = anchor.R + a;
      dir = kArrowLeft;
      arrow = IRECT(anchor.R, acy - a / 2.f, anchor.R + a, acy + a / 2.f);
    }
  };
  auto below = [&] {
    x = acx - w / 2.f;
    y = anchor.B + a;
    dir = kArrowUp;
    arrow = IRECT(acx - a / 2.f, anchor.B, acx + a / 2.f, anchor.B + a);
  };
  auto above = [&] {
    x = acx - w / 2.f;
    y = anchor.T - s - h - a;
    dir = kArrowDown;
    arrow = IRECT(acx - a / 2.f, anchor.T - a, acx + a / 2.f, anchor.T);
  };

  beside(acy > mcy ? acy + f + a - h : acy - a - f);
  if (!fits(x, y)) {
    bool taken = false;
    if (acy <= mcy) {
      below();
      if (y > maxY) beside(maxY);
      taken = fits(x, y);
    }
    if (!taken) {
      if (acy > mcy) {
        above();
        if (y <= minY) beside(minY);
      }
      x = Limit(x, minX, maxX);
      y = Limit(y, minY, maxY);
    }
  }
  if (mPreferBelow && anchor.B + a <= maxY) {
    below();
    x = Limit(x, minX, maxX);
  }
  if (mMenuHasSubMenu) {
    mSubMenuOnRight = acx <= mcx;
    if (anchor.T - area.T > area.B - anchor.B)
      above();
    else
      below();
    x = Limit(acx - w / 2.f + (acx > mcx ? mMenuShift : -mMenuShift), minX, maxX);
    y = Limit(y, minY, maxY);
  }
  mCallOutArrowDir = dir;
  mCallOutArrowBounds = arrow;

  mMenuPanels.push_back(std::make_unique<MenuPanel>(*this, *mMenu, x, y, -1));
  MenuPanel* root = mMenuPanels.back().get();
  mActiveMenuPanel = root;
  mAppearingMenuPanel = root;
  mBounds = root->mTargetRECT;
  mHitRect = root->mRECT;
  OnResize();
  SetDirty(true); // the action starts the fade in
}

void IPopupMenuControl::PlaceSubMenu(IPopupMenu& submenu, const IRECT& cell, float& x, float& y) const
{
  float w = 0.f;
  float h = 0.f;
  GetPanelDimensions(submenu, w, h);
  const IRECT& area = mMaxBounds;
  const float s = mDropShadowSize;
  const float a = mCallOut ? mCallOutArrowSize : 0.f;
  x = mSubMenuOnRight ? cell.R + a + mPanelInset : cell.L - w - a - s - mPanelInset;
  x = Limit(x, area.L + s, area.R - 2.f * s - w);
  // A root that opened above its anchor has submenus that grow upwards from their cell; otherwise
  // a submenu starts level with its cell. Either way it stays inside the area.
  const float top = mCallOutArrowDir == kArrowDown ? cell.T + s + 2.f * mCellGap - h - mPanelInset / 2.f
                                                   : cell.T - mPanelInset;
  y = Limit(top, area.T + s, area.B - 2.f * s - h);
}

void IPopupMenuControl::FitBoundsToVisiblePanels()
{
  IRECT bounds;
  IRECT hit;
  for (const auto& panel : mMenuPanels) {
    if (!panel->mShouldDraw) continue;
    bounds = bounds.Union(panel->mTargetRECT);
    hit = hit.Union(panel->mRECT);
  }
  mBounds = bounds;
  mHitRect = hit;
  OnResize();
}

} // namespace plugin::ui
