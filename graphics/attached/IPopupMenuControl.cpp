#include "graphics/attached/IPopupMenuControl.h"

#include "graphics/canvas/ICanvas.h"

// The in-editor popup menu's life: requests, pointer handling, submenus, scrolling, and the state
// machine that fades panels in and out.

namespace plugin::ui {

namespace {

constexpr int kFadeMs = 100;
constexpr int kSubMenuFadeMs = 200;

} // namespace

IPopupMenuControl::IPopupMenuControl(int paramIdx, const IText& text, const IRECT& collapsedBounds,
                                     const IRECT& expandedBounds)
    : IControl(collapsedBounds, paramIdx), mSpecifiedCollapsedBounds(collapsedBounds),
      mSpecifiedExpandedBounds(expandedBounds)
{
  mTextStyle = text;
  mIsHidden = true;
  SetActionFunction([](IControl* c) {
    auto* self = static_cast<IPopupMenuControl*>(c);
    self->SetAnimationFunction([](IControl* a) { static_cast<IPopupMenuControl*>(a)->Animate(); });
    self->StartAnimation(self->mState == kSubMenuAppearing ? kSubMenuFadeMs : kFadeMs);
  });
}

IPopupMenuControl::~IPopupMenuControl() = default;

IPopupMenuControl::MenuPanel* IPopupMenuControl::GetPanel(int idx) const noexcept
{
  return idx >= 0 && idx < NPanels() ? mMenuPanels[static_cast<size_t>(idx)].get() : nullptr;
}

int IPopupMenuControl::PanelIndex(const MenuPanel* panel) const noexcept
{
  for (int i = 0; i < NPanels(); ++i)
    if (mMenuPanels[static_cast<size_t>(i)].get() == panel) return i;
  return -1;
}

void IPopupMenuControl::DeletePanels() noexcept
{
  mMenuPanels.clear();
  mActiveMenuPanel = nullptr;
  mAppearingMenuPanel = nullptr;
  mMouseCellBounds = nullptr;
}

// --- Requests ---

void IPopupMenuControl::CreatePopupMenu(IPopupMenu& menu, const IRECT& anchorArea)
{
  // One menu at a time: the one shown keeps its panels.
  if (!mGraphicsContext || mState != kCollapsed) return;
  mMenu = &menu;
  mMenuHasSubMenu = false;
  for (int i = 0; i < menu.NItems() && !mMenuHasSubMenu; ++i)
    mMenuHasSubMenu = menu.GetItem(i)->GetSubmenu() != nullptr;
  if (mMaxBounds.W() == 0.f)
    mMaxBounds = IRECT(0.f, 0.f, static_cast<float>(mGraphicsContext->Width()),
                       static_cast<float>(mGraphicsContext->Height()));
  Expand(anchorArea);
}

// --- Pointer ---

void IPopupMenuControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (!GetExpanded()) {
    IControl::OnMouseDown(x, y, mod);
    return;
  }
  mMouseCellBounds = mActiveMenuPanel ? mActiveMenuPanel->HitTestCells(x, y) : nullptr;
  CollapseEverything();
}

void IPopupMenuControl::CollapseEverything()
{
  MenuPanel* panel = mActiveMenuPanel;
  IPopupMenu* menu = panel ? panel->mMenu : mMenu;
  if (menu) {
    menu->SetChosenItemIdx(-1);
    const int cellIdx = panel ? panel->CellIndex(mMouseCellBounds) : -1;
    // Arrow cells hold no item; separators, indented and disabled items and submenu openers are not
    // choices.
    const IPopupMenu::Item* item = panel ? panel->ItemInCell(cellIdx) : nullptr;
    constexpr int kNoChoice =
        IPopupMenu::Item::kSeparator | IPopupMenu::Item::kIndented | IPopupMenu::Item::kDisabled;
    if (item && !(item->GetFlags() & kNoChoice) && !item->GetSubmenu()) {
      menu->SetChosenItemIdx(cellIdx + panel->mScrollItemOffset);
      panel->mClickedCell = mMouseCellBounds;
    }
    menu->ExecFunction();
  }
  if (mGraphicsContext) mGraphicsContext->SetControlValueAfterPopupMenu(menu);

  mShowSubMenuCallout = false;
  mActiveMenuPanel = nullptr;
  mState = kSelectionMade;
  Hide(true);
  SetDirty(true); // the action starts the fade out
}

void IPopupMenuControl::OnMouseDrag(float x, float y, float, float, const IMouseMod&)
{
  if (mActiveMenuPanel) mMouseCellBounds = mActiveMenuPanel->HitTestCells(x, y);
  SetDirty(false);
}

void IPopupMenuControl::OnMouseWheel(float, float, const IMouseMod&, float) {}

void IPopupMenuControl::OnMouseOver(float x, float y, const IMouseMod&)
{
  if (!GetExpanded() || mMenuPanels.empty()) return; // nothing shown, or already chosen
  mMouseCellBounds = mActiveMenuPanel ? mActiveMenuPanel->HitTestCells(x, y) : nullptr;
  if (!mMouseCellBounds) {
    for (int i = NPanels() - 1; i >= 0; --i) {
      MenuPanel* panel = mMenuPanels[static_cast<size_t>(i)].get();
      if (!panel->mShouldDraw || !panel->mTargetRECT.Contains(x, y)) continue;
      mActiveMenuPanel = panel;
      mMouseCellBounds = panel->HitTestCells(x, y);
      break;
    }
  }
  UpdateSubMenus();
  ScrollByHover();
  SetDirty(false);
}

void IPopupMenuControl::OnMouseOut()
{
  mMouseCellBounds = nullptr;
  SetDirty(false);
}

// --- Submenus and scrolling ---

void IPopupMenuControl::UpdateSubMenus()
{
  MenuPanel* active = mActiveMenuPanel;
  if (!active || !mMouseCellBounds) return;
  const int activeIdx = PanelIndex(active);
  const IPopupMenu::Item* item = active->ItemInCell(active->CellIndex(mMouseCellBounds));
  IPopupMenu* submenu = item ? item->GetSubmenu() : nullptr;

  if (!submenu) {
    // Every level opened from this panel closes, not only the next one.
    for (int i = activeIdx + 1; i < NPanels(); ++i) {
      MenuPanel* panel = mMenuPanels[static_cast<size_t>(i)].get();
      const MenuPanel* parent = GetPanel(panel->mParentIdx);
      if (panel->mParentIdx == activeIdx || (parent && !parent->mShouldDraw)) panel->mShouldDraw = false;
    }
    active->mHighlightedCell = nullptr;
    mShowSubMenuCallout = false;
    return;
  }

  MenuPanel* subPanel = nullptr;
  for (const auto& panel : mMenuPanels) {
    panel->mShouldDraw = panel->mMenu == submenu;
    if (panel->mShouldDraw) subPanel = panel.get();
  }
  if (item->GetEnabled()) active->mHighlightedCell = mMouseCellBounds;
  if (!subPanel) {
    float x = 0.f;
    float y = 0.f;
    PlaceSubMenu(*submenu, *mMouseCellBounds, x, y);
    mMenuPanels.push_back(std::make_unique<MenuPanel>(*this, *submenu, x, y, activeIdx));
    subPanel = mMenuPanels.back().get();
  }
  for (MenuPanel* p = subPanel; p; p = GetPanel(p->mParentIdx))
    p->mShouldDraw = true;

  const IRECT& cell = *mMouseCellBounds;
  const float side = mCallOutArrowSize;
  const float cy = cell.MH();
  mSubMenuCallOutArrowBounds =
      mSubMenuOnRight
          ? IRECT(cell.R + mPanelInset, cy - side / 2.f, cell.R + mPanelInset + side, cy + side / 2.f)
          : IRECT(cell.L - mPanelInset - side, cy - side / 2.f, cell.L - mPanelInset, cy + side / 2.f);
  mShowSubMenuCallout = true;
  FitBoundsToVisiblePanels();

  if (mAppearingMenuPanel != subPanel) {
    mAppearingMenuPanel = subPanel;
    mState = kSubMenuAppearing;
    SetDirty(true); // the action starts the submenu's fade in
  }
}

void IPopupMenuControl::ScrollByHover()
{
  MenuPanel* panel = mActiveMenuPanel;
  if (!panel || !panel->mScroller) return;
  const int idx = panel->CellIndex(mMouseCellBounds);
  if (idx < 0) return;
  if (idx == 0 && panel->HasUpArrow())
    --panel->mScrollItemOffset;
  else if (idx == panel->NCells() - 1 && panel->HasDownArrow())
    ++panel->mScrollItemOffset;
}

// --- Fades ---

void IPopupMenuControl::Animate()
{
  const double progress = GetAnimationProgress();
  if (progress > 1.0) {
    OnEndAnimation();
    return;
  }
  const float p = static_cast<float>(progress);
  switch (mState) {
  case kExpanding:
    if (mAppearingMenuPanel) mAppearingMenuPanel->mBlend.mWeight = mOpacity * p;
    break;
  case kSubMenuAppearing:
    if (mAppearingMenuPanel) mAppearingMenuPanel->mBlend.mWeight = p > 0.9f ? mOpacity : 0.f;
    break;
  case kCollapsing:
    for (const auto& panel : mMenuPanels)
      panel->mBlend.mWeight = mOpacity * (1.f - p);
    break;
  case kCleanUp:
    for (const auto& panel : mMenuPanels)
      panel->mBlend.mWeight = 0.f;
    break;
  default:
    break;
  }
}

void IPopupMenuControl::OnEndAnimation()
{
  switch (mState) {
  case kExpanding:
  case kSubMenuAppearing:
    for (const auto& panel : mMenuPanels)
      panel->mBlend.mWeight = mOpacity;
    mState = kExpanded;
    IControl::OnEndAnimation();
    break;
  case kSelectionMade:
    mState = kCollapsing;
    SetDirty(true);
    break;
  case kCollapsing:
    mHitRect = mSpecifiedCollapsedBounds;
    for (const auto& panel : mMenuPanels)
      panel->mBlend.mWeight = 0.f;
    mState = kCleanUp;
    mMouseCellBounds = nullptr;
    mAnchorArea = IRECT();
    SetDirty(true);
    break;
  case kCleanUp:
    if (mGraphicsContext) mGraphicsContext->UpdateTooltips();
    DeletePanels();
    mBounds = mSpecifiedCollapsedBounds;
    mState = kCollapsed;
    IControl::OnEndAnimation();
    break;
  default:
    IControl::OnEndAnimation();
    break;
  }
}

} // namespace plugin::ui
