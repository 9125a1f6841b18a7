#include "vst3/HostContextMenu.h"

#include "framework/text/UnicodeCodec.h"
#include "graphics/control/IControl.h"
#include "graphics/menu/IPopupMenu.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <atomic>
#include <new>
#include <utility>

namespace plugin::vst3 {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The host's view of an editor control as the receiver of its menu items. It keeps a lookup, not
// the control: the host may hold it after the editor closed and deleted its controls. The host
// holds this object; it calls it on the main thread.
class ControlMenuTarget final : public IContextMenuTarget
{
public:
  explicit ControlMenuTarget(ControlLookup findControl) noexcept : mFindControl(std::move(findControl)) {}

  // The control as it is now; nothing happens when the editor or the control is gone.
  tresult PLUGIN_API executeMenuItem(int32 tag) override
  {
    ui::IControl* control = mFindControl ? mFindControl() : nullptr;
    return control ? control->executeMenuItem(tag) : kResultFalse;
  }
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
  {
    if (!obj) return kInvalidArgument;
    if (FUnknownPrivate::iidEqual(iid, IContextMenuTarget::iid) ||
        FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
      addRef();
      *obj = static_cast<IContextMenuTarget*>(this);
      return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return ++mRefCount; }
  uint32 PLUGIN_API release() override
  {
    const uint32 left = --mRefCount;
    if (left == 0) delete this;
    return left;
  }

private:
  ControlLookup mFindControl;
  std::atomic<uint32> mRefCount{1};
};

void AddItem(IContextMenu& menu, IContextMenuTarget* target, const char* text, int32& tag, int32 flags)
{
  IContextMenuItem entry{};
  text::Utf8ToUtf16(text ? text : "", entry.name, 128);
  entry.tag = tag++;
  entry.flags = flags;
  menu.addItem(entry, target);
}

void AddItems(IContextMenu& menu, IContextMenuTarget* target, const ui::IPopupMenu& items, int32& tag)
{
  for (int i = 0; i < items.NItems(); ++i) {
    const ui::IPopupMenu::Item* item = items.GetItem(i);
    if (item->GetIsSeparator()) {
      AddItem(menu, target, item->GetText(), tag, IContextMenuItem::kIsSeparator);
    } else if (const ui::IPopupMenu* submenu = item->GetSubmenu()) {
      AddItem(menu, target, item->GetText(), tag, IContextMenuItem::kIsGroupStart);
      AddItems(menu, target, *submenu, tag);
      AddItem(menu, target, "", tag, IContextMenuItem::kIsGroupEnd);
    } else {
      const int32 flags = (item->GetChecked() ? IContextMenuItem::kIsChecked : 0) |
                          (item->GetEnabled() ? 0 : IContextMenuItem::kIsDisabled);
      AddItem(menu, target, item->GetText(), tag, flags);
    }
  }
}

} // namespace

bool PopupHostContextMenu(IComponentHandler* handler, IPlugView* view, ParamID id, ui::IPopupMenu& items,
                          ControlLookup findTarget, int x, int y)
{
  if (!handler || !view) return false;
  FUnknownPtr<IComponentHandler3> contextMenus(handler);
  if (!contextMenus) return false; // the host offers no context menus
  IContextMenu* menu = contextMenus->createContextMenu(view, &id);
  if (!menu) return false;
  if (items.NItems() > 0) {
    auto* menuTarget = new (std::nothrow) ControlMenuTarget(std::move(findTarget));
    if (menuTarget) {
      int32 tag = 0;
      AddItems(*menu, menuTarget, items, tag);
      menuTarget->release(); // the host holds it while it needs it
    }
  }
  menu->popup(x, y);
  menu->release();
  return true;
}

} // namespace plugin::vst3
