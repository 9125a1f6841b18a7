#include "platform/mac/ICanvasMenu.h"

#include "graphics/menu/IPopupMenu.h"

#include <cstdio>
#include <string>

namespace plugin::ui {

namespace {

// The item's number as its menu's prefix kind writes it: none, "%1d: ", "%02d: " or "%03d: ".
// Kinds past 3 do not occur in the toolkit's models; they number like 3.
std::string Prefix(int kind, int number)
{
  if (kind <= 0) return {};
  char buf[32];
  const char* format = kind == 1 ? "%1d: " : kind == 2 ? "%02d: " : "%03d: ";
  std::snprintf(buf, sizeof buf, format, number);
  return buf;
}

} // namespace

std::shared_ptr<ICanvasMenu_vKelmo_vst3>
ICanvasMenu_vKelmo_vst3::Create(IPopupMenu* menu,
                                const std::shared_ptr<ICanvasMenuRcvr_vKelmo_vst3>& receiver)
{
  auto native = std::make_shared<ICanvasMenu_vKelmo_vst3>(menu);
  native->SetAutoenablesItems(false);
  if (!menu) return native;
  const std::weak_ptr<ICanvasMenuRcvr_vKelmo_vst3> target = receiver;
  for (int i = 0; i < menu->NItems(); ++i) {
    const IPopupMenu::Item* item = menu->GetItem(i);
    if (!item) continue;
    if (item->GetIsSeparator()) {
      native->AddItem(sys::MenuItem::SeparatorItem());
      continue;
    }
    const std::string title = Prefix(menu->GetPrefix(), i + 1) + item->GetText();
    sys::MenuItemRef nativeItem;
    if (IPopupMenu* submenu = item->GetSubmenu()) {
      nativeItem = native->AddItemWithTitle(title, nullptr, "");
      native->SetSubmenuForItem(Create(submenu, receiver), nativeItem.get());
    } else {
      nativeItem = native->AddItemWithTitle(
          title,
          [target](sys::MenuItem& sender) {
            if (const auto receiver = target.lock()) receiver->OnMenuSelection(sender);
          },
          "");
    }
    const int flags = item->GetFlags();
    nativeItem->SetIndentationLevel((flags & IPopupMenu::Item::kIndented) ? 1 : 0);
    nativeItem->SetEnabled(!(flags & IPopupMenu::Item::kDisabled));
    nativeItem->SetState((flags & IPopupMenu::Item::kChecked) ? sys::ControlState::On
                                                              : sys::ControlState::Off);
  }
  return native;
}

} // namespace plugin::ui
