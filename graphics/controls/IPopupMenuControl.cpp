#include "graphics/controls/IPopupMenuControl.h"

namespace plugin::ui {

IPopupMenuControl::IPopupMenuControl(int paramIdx, const IText& text, const IRECT& collapsedBounds,
                                     const IRECT& expandedBounds)
    : IControl(collapsedBounds, paramIdx), mSpecifiedCollapsedBounds(collapsedBounds),
      mSpecifiedExpandedBounds(expandedBounds)
{
  mTextStyle = text;
  mIsHidden = true;
}

IPopupMenuControl::~IPopupMenuControl() = default;

// Placeholder until the popup menu control lands: nothing is drawn.
void IPopupMenuControl::Draw(ICanvas&) {}

// Placeholder until the popup menu control lands: the menu and its anchor are only kept.
void IPopupMenuControl::CreatePopupMenu(IPopupMenu& menu, const IRECT& bounds)
{
  mMenu = &menu;
  mAnchorArea = bounds;
}

} // namespace plugin::ui
