#pragma once

#include "platform/mac/system/Geometry.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Menus and their items. A pop-up menu runs modally: the person (ScriptedUser) follows a path
// of item indices through sub-menus to an item, whose action then runs, or dismisses the menu.
// Main thread only.
namespace plugin::sys {

class Menu;
class View;

// The check state of an item.
enum class ControlState { Off, On };

class MenuItem : public std::enable_shared_from_this<MenuItem>
{
public:
  // Called on the main thread when the person chooses the item, with the item as the sender;
  // may allocate.
  using Action = std::function<void(MenuItem&)>;

  MenuItem(std::string title, Action action, std::string keyEquivalent, bool separator = false)
      : mTitle(std::move(title)), mAction(std::move(action)), mKeyEquivalent(std::move(keyEquivalent)),
        mSeparator(separator)
  {}

  // An item with a title (UTF-8), an action (empty: none) and a key equivalent. Allocates.
  static std::shared_ptr<MenuItem> Create(std::string title, Action action, std::string keyEquivalent);
  // A separator line.
  static std::shared_ptr<MenuItem> SeparatorItem();

  const std::string& Title() const noexcept { return mTitle; }
  void SetTitle(std::string title) { mTitle = std::move(title); }
  bool IsSeparatorItem() const noexcept { return mSeparator; }
  const Action& GetAction() const noexcept { return mAction; }
  void SetAction(Action action) { mAction = std::move(action); }
  const std::string& KeyEquivalent() const noexcept { return mKeyEquivalent; }

  bool IsEnabled() const noexcept { return mEnabled; }
  void SetEnabled(bool enabled) noexcept { mEnabled = enabled; }
  ControlState State() const noexcept { return mState; }
  void SetState(ControlState state) noexcept { mState = state; }
  // 0 to 15; other values are clamped.
  int IndentationLevel() const noexcept { return mIndentation; }
  void SetIndentationLevel(int level) noexcept;

  const std::shared_ptr<Menu>& Submenu() const noexcept { return mSubmenu; }
  bool HasSubmenu() const noexcept { return mSubmenu != nullptr; }
  // The menu the item is in; null before it is added and after that menu is gone.
  Menu* GetMenu() const noexcept { return mMenu; }

private:
  friend class Menu;
  std::string mTitle;
  Action mAction;
  std::string mKeyEquivalent;
  bool mSeparator;
  bool mEnabled = true;
  ControlState mState = ControlState::Off;
  int mIndentation = 0;
  std::shared_ptr<Menu> mSubmenu;
  Menu* mMenu = nullptr;
};

using MenuItemRef = std::shared_ptr<MenuItem>;

// A menu; subclasses may carry data of their own (the menu a chosen item belongs to is found
// through MenuItem::GetMenu).
class Menu
{
public:
  explicit Menu(std::string title = {}) : mTitle(std::move(title)) {}
  virtual ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  const std::string& Title() const noexcept { return mTitle; }
  bool AutoenablesItems() const noexcept { return mAutoenables; }
  void SetAutoenablesItems(bool autoenables) noexcept { mAutoenables = autoenables; }

  // Appends item, taking it from a menu it was in. Null is ignored.
  void AddItem(MenuItemRef item);
  // Appends and returns a new item.
  MenuItemRef AddItemWithTitle(std::string title, MenuItem::Action action, std::string keyEquivalent);

  int NumberOfItems() const noexcept { return static_cast<int>(mItems.size()); }
  // Null for an index out of range.
  MenuItemRef ItemAtIndex(int index) const;
  // The index of item in this menu, -1 when it is not here.
  int IndexOfItem(const MenuItem* item) const noexcept;
  const std::vector<MenuItemRef>& Items() const noexcept { return mItems; }

  // Attaches submenu to item of this menu (null detaches); ignored for an item not here.
  void SetSubmenuForItem(std::shared_ptr<Menu> submenu, MenuItem* item);

  // Shows the menu at location (view coordinates) with item (null: none) under it, and tracks it
  // modally until the person chooses or dismisses it (ScriptedUser). True when an item was chosen;
  // its action has run by then.
  bool PopUpPositioningItem(MenuItem* item, Point location, View* view);

private:
  std::string mTitle;
  bool mAutoenables = true;
  std::vector<MenuItemRef> mItems;
};

} // namespace plugin::sys
