#pragma once

#include "platform/mac/system/Menu.h"
#include "platform/mac/system/View.h"

#include <memory>

// The native menu built from the toolkit's menu model, and the receiver its items report to.
// Both live for one pop-up only. Main thread only.
namespace plugin::ui {

class IPopupMenu;

// Keeps the chosen item.
class ICanvasMenuRcvr_vKelmo_vst3 : public sys::View
{
public:
  using sys::View::View;
  // An item's action (the menu's tracking, main thread): the item becomes the choice.
  void OnMenuSelection(sys::MenuItem& sender) { mMenuItem = sender.shared_from_this(); }
  // The item chosen last; null until a choice.
  const sys::MenuItemRef& MenuItem() const noexcept { return mMenuItem; }

private:
  sys::MenuItemRef mMenuItem;
};

class ICanvasMenu_vKelmo_vst3 : public sys::Menu
{
public:
  // A menu of menu's items (and, recursively, its sub-menus), each reporting to receiver: titles
  // numbered by the menu's prefix kind, separators, indentation, disabled and checked states.
  // menu is not owned and must outlive the native menu's use. Allocates.
  static std::shared_ptr<ICanvasMenu_vKelmo_vst3>
  Create(IPopupMenu* menu, const std::shared_ptr<ICanvasMenuRcvr_vKelmo_vst3>& receiver);

  // The model this menu was built from.
  IPopupMenu* GetIPopupMenu() const noexcept { return mIPopupMenu; }

  explicit ICanvasMenu_vKelmo_vst3(IPopupMenu* menu) : sys::Menu(""), mIPopupMenu(menu) {}

private:
  IPopupMenu* mIPopupMenu;
};

} // namespace plugin::ui
