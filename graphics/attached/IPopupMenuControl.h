#pragma once

#include "graphics/control/IControl.h"
#include "graphics/menu/IPopupMenu.h"

#include <memory>
#include <vector>

namespace plugin::ui {

// The in-editor popup menu: shows an IPopupMenu with the toolkit's own drawing, one panel of cells
// per open menu level, fading panels in and out, scrolling menus that do not fit and opening
// submenus on hover. The choice is reported through ICanvas::SetControlValueAfterPopupMenu with the
// menu it was picked from. While it shows a menu every pointer event goes to it. Main thread only.
class IPopupMenuControl : public IControl
{
public:
  enum EPopupState : int {
    kCollapsed = 0,
    kExpanding = 1,
    kExpanded = 2,
    kCollapsing = 3,
    kSelectionMade = 4,
    kSubMenuAppearing = 5,
    kCleanUp = 6
  };

  // Direction of a call-out arrow's apex.
  enum EArrowDir : int { kArrowDown = 0, kArrowLeft = 1, kArrowUp = 2, kArrowRight = 3 };

  // One open menu level: its cells, laid out when it is built, and its fade.
  class MenuPanel
  {
  public:
    // Lays out menu from (x, y) for control; parentIdx is the parent panel's index (-1: root).
    MenuPanel(IPopupMenuControl& control, IPopupMenu& menu, float x, float y, int parentIdx);

    // The cell holding the point whose item is not disabled; null when none.
    IRECT* HitTestCells(float x, float y);
    // Index of cell in this panel, -1 when it is not one of its cells.
    int CellIndex(const IRECT* cell) const noexcept;
    int NCells() const noexcept { return static_cast<int>(mCellBounds.size()); }
    IRECT* Cell(int idx) noexcept { return &mCellBounds[static_cast<size_t>(idx)]; }
    // The first cell is an up arrow: the panel scrolls and items lie above.
    bool HasUpArrow() const noexcept { return mScroller && mScrollItemOffset >= 1 && !mCellBounds.empty(); }
    // The last cell is a down arrow: the panel scrolls and items lie below (the up arrow wins
    // when there is only one cell).
    bool HasDownArrow() const noexcept;
    // The item shown in cell idx; null for an arrow cell or past the menu's end.
    IPopupMenu::Item* ItemInCell(int idx) const noexcept;

    IPopupMenu* mMenu;
    std::vector<IRECT> mCellBounds; // never resized after construction: cell pointers stay valid
    IRECT mTargetRECT;
    IRECT mRECT;
    int mScrollMaxRows = 0;
    bool mShouldDraw = true;
    IBlend mBlend{EBlend::SourceOver, 0.f};
    IRECT mSingleCellBounds;
    IRECT* mHighlightedCell = nullptr;
    IRECT* mClickedCell = nullptr;
    int mParentIdx;
    bool mScroller = false;
    int mScrollItemOffset = 0;
  };

  // Built on collapsedBounds with paramIdx and no action of the caller's (its own action runs the
  // fades); the menu panels go inside expandedBounds (zero width: sized from the cells). Starts
  // hidden.
  IPopupMenuControl(int paramIdx = -1, const IText& text = DEFAULT_TEXT,
                    const IRECT& collapsedBounds = IRECT(), const IRECT& expandedBounds = IRECT());
  ~IPopupMenuControl() override;

  // --- Events: the graphics context calls them on the main thread while the menu is shown. ---

  // A click chooses the item under it (or nothing) and closes the menu.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Follows the pointer while a button is held.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // Nothing: menus scroll by hovering their arrow cells.
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta) override;
  // Tracks the hovered cell, opens and closes submenus and scrolls.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // Forgets the hovered cell.
  void OnMouseOut() override;
  // Steps the state machine at the end of each fade.
  void OnEndAnimation() override;

  // --- Drawing: the frame loop calls these on the main thread; no allocation. ---

  // Every visible panel, then the call-out arrows.
  void Draw(ICanvas& g) override;
  virtual void DrawCalloutArrow(ICanvas& g, const IRECT& bounds, IBlend* blend);
  virtual void DrawSubMenuCalloutArrow(ICanvas& g, const IRECT& bounds, IBlend* blend);
  virtual void DrawPanelBackground(ICanvas& g, MenuPanel* panel);
  virtual void DrawPanelShadow(ICanvas& g, MenuPanel* panel);
  virtual void DrawCellBackground(ICanvas& g, const IRECT& cell, const IPopupMenu::Item* item, bool sel,
                                  IBlend* blend);
  virtual void DrawCellText(ICanvas& g, const IRECT& cell, const IPopupMenu::Item* item, bool sel,
                            IBlend* blend);
  virtual void DrawTick(ICanvas& g, const IRECT& cell, const IPopupMenu::Item* item, bool sel, IBlend* blend);
  virtual void DrawSubMenuArrow(ICanvas& g, const IRECT& cell, const IPopupMenu::Item* item, bool sel,
                                IBlend* blend);
  virtual void DrawUpArrow(ICanvas& g, const IRECT& cell, bool sel, IBlend* blend);
  virtual void DrawDownArrow(ICanvas& g, const IRECT& cell, bool sel, IBlend* blend);
  virtual void DrawSeparator(ICanvas& g, const IRECT& cell, IBlend* blend);

  // Ends the menu: hides the control and starts the fade out. Main thread.
  virtual void CollapseEverything();

  // --- Non-virtual operations (main thread) ---

  // The graphics context asks to show menu anchored at anchorArea. Dropped while another menu is
  // shown or when the control is not attached. Allocates.
  void CreatePopupMenu(IPopupMenu& menu, const IRECT& anchorArea);
  // Lays out and shows the root panel of the stored menu. Allocates.
  void Expand(const IRECT& anchorArea);
  // Size of a cell of menu placed at (x, y): the widest and tallest item text plus the tick
  // column, the text insets and the arrow space. All zero when the control is not attached.
  IRECT GetLargestCellRectForMenu(IPopupMenu& menu, float x, float y) const;
  // Width of a cell and height of all cells stacked with their gaps.
  void GetPanelDimensions(IPopupMenu& menu, float& width, float& height) const;

  int GetState() const noexcept { return mState; }
  // A menu is showing and takes the pointer: fading in, open, or opening a submenu (a click on a
  // visible menu never reaches the controls under it).
  bool GetExpanded() const noexcept
  {
    return mState == kExpanding || mState == kExpanded || mState == kSubMenuAppearing;
  }
  IPopupMenu* GetMenu() const noexcept { return mMenu; }
  int NPanels() const noexcept { return static_cast<int>(mMenuPanels.size()); }
  MenuPanel* GetPanel(int idx) const noexcept;
  MenuPanel* GetActivePanel() const noexcept { return mActiveMenuPanel; }
  const IRECT* GetMouseCell() const noexcept { return mMouseCellBounds; }
  int GetCallOutArrowDir() const noexcept { return mCallOutArrowDir; }
  const IRECT& GetCallOutArrowBounds() const noexcept { return mCallOutArrowBounds; }
  const IRECT& GetSubMenuCallOutArrowBounds() const noexcept { return mSubMenuCallOutArrowBounds; }
  bool GetSubMenuOnRight() const noexcept { return mSubMenuOnRight; }

  // --- Settings; take effect at the next menu. ---

  void SetMaxColumnItems(int n) noexcept { mMaxColumnItems = n; }
  void SetScrollIfTooBig(bool scroll) noexcept { mScrollIfTooBig = scroll; }
  void SetCallOut(bool callOut) noexcept { mCallOut = callOut; }
  void SetPreferBelow(bool below) noexcept { mPreferBelow = below; }
  void SetMenuShift(float shift) noexcept { mMenuShift = shift; }
  // The area panels stay inside; all zero: the whole editor.
  void SetMaxBounds(const IRECT& r) noexcept { mMaxBounds = r; }
  const IRECT& GetMaxBounds() const noexcept { return mMaxBounds; }
  void SetPanelBackgroundColor(const IColor& c) noexcept { mPanelBackgroundColor = c; }
  void SetCellBackgroundColor(const IColor& c) noexcept { mCellBackGroundColor = c; }
  void SetItemColors(const IColor& text, const IColor& selected, const IColor& disabled) noexcept
  {
    mTextColor = text;
    mSelectedTextColor = selected;
    mDisabledTextColor = disabled;
  }
  void SetSeparatorColor(const IColor& c) noexcept { mSeparatorColor = c; }

protected:
  friend class MenuPanel;

  // Runs each frame of a fade.
  void Animate();
  // Deletes every panel and forgets the pointers into them.
  void DeletePanels() noexcept;
  // Opens, moves or closes submenus for the hovered cell of the active panel.
  void UpdateSubMenus();
  // Moves a scrolling active panel one item towards a hovered arrow cell.
  void ScrollByHover();
  // Places the submenu of the item in cell for a new panel; returns its top-left.
  void PlaceSubMenu(IPopupMenu& submenu, const IRECT& cell, float& x, float& y) const;
  // Bounds become the union of the visible panels' shadow areas, the hit rectangle that of their
  // panel rectangles.
  void FitBoundsToVisiblePanels();
  int PanelIndex(const MenuPanel* panel) const noexcept;
  // Colour of a cell's text, tick and arrows.
  const IColor& MarkColor(bool sel) const noexcept { return sel ? mSelectedTextColor : mTextColor; }

  std::vector<std::unique_ptr<MenuPanel>> mMenuPanels;
  MenuPanel* mActiveMenuPanel = nullptr;
  MenuPanel* mAppearingMenuPanel = nullptr;
  int mState = kCollapsed;
  IRECT* mMouseCellBounds = nullptr;
  IPopupMenu* mMenu = nullptr;
  int mMaxColumnItems = 0;
  bool mScrollIfTooBig = true;
  bool mCallOut = false;
  bool mMenuHasSubMenu = false;
  bool mPreferBelow = true;
  bool mSubMenuOnRight = true;
  bool mShowSubMenuCallout = false;
  float mCellGap = 2.f;
  float mSeparatorSize = 2.f;
  float mRoundness = 5.f;
  float mDropShadowSize = 10.f;
  float mOpacity = 0.95f;
  float mMenuShift = 0.f;
  float mTextHorizontalInset = 5.f;
  float mTickWidth = 10.f;
  float mArrowSpace = 8.f;
  float mPanelInset = 5.f;
  float mCallOutArrowSize = 8.f;
  IRECT mAnchorArea;
  int mCallOutArrowDir = kArrowLeft;
  IRECT mCallOutArrowBounds;
  IRECT mSubMenuCallOutArrowBounds;
  IRECT mMaxBounds;
  IColor mPanelBackgroundColor = COLOR_WHITE;
  IColor mCellBackGroundColor = COLOR_BLUE;
  IColor mSelectedTextColor = COLOR_WHITE;
  IColor mTextColor = COLOR_BLACK;
  IColor mDisabledTextColor = COLOR_GRAY;
  IColor mSeparatorColor = COLOR_MID_GRAY;
  IRECT mSpecifiedCollapsedBounds;
  IRECT mSpecifiedExpandedBounds;
};

} // namespace plugin::ui
