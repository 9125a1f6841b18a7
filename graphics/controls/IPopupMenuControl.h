#pragma once

#include "graphics/IControl.h"

namespace plugin::ui {

// The in-editor popup menu: shows an IPopupMenu with the toolkit's own drawing, and reports the
// choice through ICanvas::SetControlValueAfterPopupMenu. While it shows a menu every pointer event
// goes to it. Main thread only.
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

  // Built on collapsedBounds with paramIdx and no action; the menu panels go inside
  // expandedBounds (zero width: sized from the cells). Starts hidden.
  IPopupMenuControl(int paramIdx = -1, const IText& text = DEFAULT_TEXT,
                    const IRECT& collapsedBounds = IRECT(), const IRECT& expandedBounds = IRECT());
  ~IPopupMenuControl() override;

  // The frame loop draws the open panels. Main thread.
  void Draw(ICanvas& g) override;

  // The graphics context asks to show menu anchored at bounds. Main thread; allocates.
  void CreatePopupMenu(IPopupMenu& menu, const IRECT& bounds);

  int GetState() const noexcept { return mState; }
  // A menu is showing (state expanded).
  bool GetExpanded() const noexcept { return mState == kExpanded; }
  IPopupMenu* GetMenu() const noexcept { return mMenu; }

protected:
  int mState = kCollapsed;
  IPopupMenu* mMenu = nullptr;
  IRECT mAnchorArea;
  IRECT mSpecifiedCollapsedBounds;
  IRECT mSpecifiedExpandedBounds;
};

} // namespace plugin::ui
