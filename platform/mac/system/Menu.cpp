#include "platform/mac/system/Menu.h"

#include "platform/mac/system/ScriptedUser.h"

#include <algorithm>

namespace plugin::sys {

namespace {

MenuItemRecord Snapshot(const MenuItem& item)
{
  MenuItemRecord record{item.Title(),
                        item.IsSeparatorItem(),
                        item.IsEnabled(),
                        item.State(),
                        item.IndentationLevel(),
                        item.HasSubmenu(),
                        {}};
  if (item.HasSubmenu())
    for (const MenuItemRef& sub : item.Submenu()->Items())
      record.submenu.push_back(Snapshot(*sub));
  return record;
}

} // namespace

MenuItemRef MenuItem::Create(std::string title, Action action, std::string keyEquivalent)
{
  return std::make_shared<MenuItem>(std::move(title), std::move(action), std::move(keyEquivalent));
}

MenuItemRef MenuItem::SeparatorItem()
{
  return std::make_shared<MenuItem>(std::string(), Action(), std::string(), true);
}

void MenuItem::SetIndentationLevel(int level) noexcept
{
  mIndentation = std::clamp(level, 0, 15);
}

Menu::~Menu()
{
  for (const MenuItemRef& item : mItems)
    if (item->mMenu == this) item->mMenu = nullptr;
}

void Menu::AddItem(MenuItemRef item)
{
  if (!item) return;
  if (Menu* old = item->mMenu) std::erase(old->mItems, item);
  item->mMenu = this;
  mItems.push_back(std::move(item));
}

MenuItemRef Menu::AddItemWithTitle(std::string title, MenuItem::Action action, std::string keyEquivalent)
{
  auto item = MenuItem::Create(std::move(title), std::move(action), std::move(keyEquivalent));
  AddItem(item);
  return item;
}

MenuItemRef Menu::ItemAtIndex(int index) const
{
  if (index < 0 || index >= NumberOfItems()) return nullptr;
  return mItems[static_cast<std::size_t>(index)];
}

int Menu::IndexOfItem(const MenuItem* item) const noexcept
{
  for (std::size_t i = 0; i < mItems.size(); ++i)
    if (mItems[i].get() == item) return static_cast<int>(i);
  return -1;
}

void Menu::SetSubmenuForItem(std::shared_ptr<Menu> submenu, MenuItem* item)
{
  if (!item || IndexOfItem(item) < 0) return;
  item->mSubmenu = std::move(submenu);
}

bool Menu::PopUpPositioningItem(MenuItem* item, Point location, View* view)
{
  ScriptedUser& user = ScriptedUser::Shared();
  MenuRecord record{{}, IndexOfItem(item), location, view, {}, false};
  for (const MenuItemRef& entry : mItems)
    record.items.push_back(Snapshot(*entry));

  record.path = user.TakeMenuAnswer();

  // The person can only end on an enabled, ordinary item, passing through enabled sub-menus.
  MenuItemRef chosen;
  const Menu* menu = this;
  for (std::size_t i = 0; i < record.path.size() && menu; ++i) {
    MenuItemRef at = menu->ItemAtIndex(record.path[i]);
    if (!at || at->IsSeparatorItem() || !at->IsEnabled()) break;
    const bool last = i + 1 == record.path.size();
    if (last && !at->HasSubmenu()) chosen = std::move(at);
    menu = last ? nullptr : at->Submenu().get();
  }
  record.chosen = chosen != nullptr;
  user.RecordMenu(std::move(record));
  if (!chosen) return false;
  // Copies: the action may change or drop the item.
  const MenuItem::Action action = chosen->GetAction();
  if (action) action(*chosen);
  return true;
}

} // namespace plugin::sys
