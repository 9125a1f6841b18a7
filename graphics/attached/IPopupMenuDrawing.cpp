#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/canvas/ICanvas.h"

#include <algorithm>

// Drawing of the in-editor popup menu: panels, cells and arrows.

namespace plugin::ui {

namespace {

constexpr float kShadowDrop = 2.f;
constexpr float kShadowBlur = 10.f;
constexpr float kTickRoundness = 2.f;
constexpr float kScrollArrowFrac = 0.6f;
constexpr float kSeparatorMinWeight = 0.9f;

// A triangle of base and height side centred on (cx, cy), apex in direction dir.
void FillArrow(ICanvas& g, const IColor& color, float cx, float cy, float side, int dir, const IBlend* blend)
{
  const float h = side / 2.f;
  switch (dir) {
  case IPopupMenuControl::kArrowDown:
    g.FillTriangle(color, cx - h, cy - h, cx + h, cy - h, cx, cy + h, blend);
    break;
  case IPopupMenuControl::kArrowLeft:
    g.FillTriangle(color, cx + h, cy - h, cx + h, cy + h, cx - h, cy, blend);
    break;
  case IPopupMenuControl::kArrowUp:
    g.FillTriangle(color, cx - h, cy + h, cx + h, cy + h, cx, cy - h, blend);
    break;
  default:
    g.FillTriangle(color, cx - h, cy - h, cx - h, cy + h, cx + h, cy, blend);
    break;
  }
}

} // namespace

void IPopupMenuControl::Draw(ICanvas& g)
{
  for (const auto& owned : mMenuPanels) {
    MenuPanel* panel = owned.get();
    if (!panel->mShouldDraw) continue;
    IBlend* blend = &panel->mBlend;
    DrawPanelShadow(g, panel);
    DrawPanelBackground(g, panel);

    const bool upArrow = panel->HasUpArrow();
    const bool downArrow = panel->HasDownArrow();
    const bool clickedAway = panel->mClickedCell && mState == kSelectionMade;
    for (int i = 0; i < panel->NCells(); ++i) {
      IRECT* cell = panel->Cell(i);
      const bool sel = cell == mMouseCellBounds || cell == panel->mHighlightedCell;
      if (i == 0 && upArrow) {
        DrawCellBackground(g, *cell, nullptr, sel, blend);
        DrawUpArrow(g, *cell, sel, blend);
        continue;
      }
      if (i == panel->NCells() - 1 && downArrow) {
        DrawCellBackground(g, *cell, nullptr, sel, blend);
        DrawDownArrow(g, *cell, sel, blend);
        continue;
      }
      const IPopupMenu::Item* item = panel->ItemInCell(i);
      if (!item) continue;
      if (item->GetIsSeparator()) {
        DrawSeparator(g, *cell, blend);
        continue;
      }
      if (!clickedAway) DrawCellBackground(g, *cell, item, sel, blend);
      DrawCellText(g, *cell, item, sel, blend);
      if (item->GetChecked()) DrawTick(g, *cell, item, sel, blend);
      if (item->GetSubmenu()) DrawSubMenuArrow(g, *cell, item, sel, blend);
    }
  }

  if (mCallOut && !mMenuPanels.empty())
    DrawCalloutArrow(g, mCallOutArrowBounds, &mMenuPanels.front()->mBlend);
  if (mMenuHasSubMenu && mShowSubMenuCallout && mAppearingMenuPanel)
    DrawSubMenuCalloutArrow(g, mSubMenuCallOutArrowBounds, &mAppearingMenuPanel->mBlend);
}

void IPopupMenuControl::DrawCalloutArrow(ICanvas& g, const IRECT& bounds, IBlend* blend)
{
  FillArrow(g, mPanelBackgroundColor, bounds.MW(), bounds.MH(), bounds.H(), mCallOutArrowDir, blend);
}

void IPopupMenuControl::DrawSubMenuCalloutArrow(ICanvas& g, const IRECT& bounds, IBlend* blend)
{
  FillArrow(g, mPanelBackgroundColor, bounds.MW(), bounds.MH(), bounds.H(),
            mSubMenuOnRight ? kArrowLeft : kArrowRight, blend);
}

void IPopupMenuControl::DrawPanelBackground(ICanvas& g, MenuPanel* panel)
{
  g.FillRoundRect(mPanelBackgroundColor, panel->mRECT, mRoundness, &panel->mBlend);
}

void IPopupMenuControl::DrawPanelShadow(ICanvas& g, MenuPanel* panel)
{
  g.DrawFastDropShadow(panel->mRECT, panel->mTargetRECT, kShadowDrop, mRoundness, kShadowBlur,
                       &panel->mBlend);
}

void IPopupMenuControl::DrawCellBackground(ICanvas& g, const IRECT& cell, const IPopupMenu::Item*, bool sel,
                                           IBlend* blend)
{
  if (!sel) return;
  g.FillRect(mCellBackGroundColor, cell.GetPadded(mPanelInset, 0.f, mPanelInset, 0.f), blend);
}

void IPopupMenuControl::DrawCellText(ICanvas& g, const IRECT& cell, const IPopupMenu::Item* item, bool sel,
                                     IBlend* blend)
{
  // The text starts right of the tick column.
  const float tick = mTickWidth;
  const IRECT r(cell.L + (tick + std::max(tick, 1.f)) / 2.f + mTextHorizontalInset, cell.T,
                cell.R - mTextHorizontalInset, cell.B);
  IText text = mTextStyle;
  text.mFGColor = sel ? mSelectedTextColor : (item->GetEnabled() ? mTextColor : mDisabledTextColor);
  text.mAlign = EAlign::Near;
  g.DrawText(text, item->GetText(), r, blend);
}

void IPopupMenuControl::DrawTick(ICanvas& g, const IRECT& cell, const IPopupMenu::Item*, bool sel,
                                 IBlend* blend)
{
  const float side = std::max(mTickWidth / 2.f, 1.f);
  g.FillRoundRect(MarkColor(sel), IRECT::MakeCentred(cell.L + mTickWidth / 2.f, cell.MH(), side, side),
                  kTickRoundness, blend);
}

void IPopupMenuControl::DrawSubMenuArrow(ICanvas& g, const IRECT& cell, const IPopupMenu::Item*, bool sel,
                                         IBlend* blend)
{
  const float half = cell.H() / 2.f;
  const float cy = cell.MH();
  if (mSubMenuOnRight) {
    const float tip = cell.R + mPanelInset / 2.f;
    g.FillTriangle(MarkColor(sel), tip - half, cy - half / 2.f, tip - half, cy + half / 2.f, tip, cy, blend);
  } else {
    const float tip = cell.L - mPanelInset / 2.f;
    g.FillTriangle(MarkColor(sel), tip + half, cy - half / 2.f, tip + half, cy + half / 2.f, tip, cy, blend);
  }
}

void IPopupMenuControl::DrawUpArrow(ICanvas& g, const IRECT& cell, bool sel, IBlend* blend)
{
  FillArrow(g, MarkColor(sel), cell.MW(), cell.MH(), kScrollArrowFrac * cell.H(), kArrowUp, blend);
}

void IPopupMenuControl::DrawDownArrow(ICanvas& g, const IRECT& cell, bool sel, IBlend* blend)
{
  FillArrow(g, MarkColor(sel), cell.MW(), cell.MH(), kScrollArrowFrac * cell.H(), kArrowDown, blend);
}

void IPopupMenuControl::DrawSeparator(ICanvas& g, const IRECT& cell, IBlend* blend)
{
  if (blend && blend->mWeight > kSeparatorMinWeight) g.FillRect(mSeparatorColor, cell, &BLEND_25);
}

} // namespace plugin::ui
