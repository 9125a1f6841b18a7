#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <functional>

namespace Steinberg {
class IPlugView;
namespace Vst {
class IComponentHandler;
} // namespace Vst
} // namespace Steinberg

namespace plugin::ui {
class IControl;
class IPopupMenu;
} // namespace plugin::ui

namespace plugin::vst3 {

// Finds the editor control a host menu's items go to, afresh on every call: null once the editor
// or the control is gone. The host may keep a menu target long after the editor closed.
using ControlLookup = std::function<ui::IControl*()>;

// Shows the host's context menu for parameter id, made by the host's component handler for view,
// with the editor's own items added after the host's: depth first, tags counted from 0 for every
// entry added, a submenu as a group (its start, its items, then an end under a new tag),
// separators, check marks and disabled items kept. Choosing one of those items calls the
// executeMenuItem of the control findTarget answers at that moment, with the item's tag; with no
// control it does nothing. The menu pops up at (x, y) of the view. False, with nothing shown, when
// the handler or the view is missing, the host offers no context menus or makes none.
// Host main thread; allocates.
bool PopupHostContextMenu(Steinberg::Vst::IComponentHandler* handler, Steinberg::IPlugView* view,
                          Steinberg::Vst::ParamID id, ui::IPopupMenu& items, ControlLookup findTarget, int x,
                          int y);

} // namespace plugin::vst3
