#include "editor/InfoMenu.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"
#include "graphics/menu/IPopupMenu.h"

#include <cstring>

namespace plugin::ui {

IPopupMenu& InfoMenu()
{
  static IPopupMenu menu(kInfoMenuTitle,
                         {kInfoMenuItems[0], kInfoMenuItems[1], kInfoMenuItems[2], kInfoMenuItems[3]});
  return menu;
}

const char* InfoMenuURL(const char* itemText) noexcept
{
  if (!itemText) return nullptr;
  // Items are matched by their text, the first match wins; the heading opens nothing.
  static constexpr const char* kURLs[] = {kProductPageURL, kManualURL, kUkrainePageURL};
  for (std::size_t i = 0; i < std::size(kURLs); ++i)
    if (std::strcmp(itemText, kInfoMenuItems[i + 1]) == 0) return kURLs[i];
  return nullptr;
}

void ShowInfoMenuAction(IControl* button)
{
  if (!button) return;
  SplashClickAction(button);
  ICanvas* ui = button->GetUI();
  if (!ui) return;

  IPopupMenu& menu = InfoMenu();
  // Bound anew at every showing, so that a menu built under an editor since closed reports to
  // the editor now showing it.
  menu.SetFunction([ui](IPopupMenu* chosen) { InfoMenuHandler(*ui, chosen); });
  menu.SetChosenItemIdx(-1); // no choice left over from an earlier showing

  float x;
  float y;
  ui->GetMouseDownPoint(x, y);
  ui->CreatePopupMenu(*button, menu, IRECT(x, y, x, y), 0);
}

void InfoMenuHandler(ICanvas& ui, IPopupMenu* menu)
{
  const IPopupMenu::Item* item = menu ? menu->GetChosenItem() : nullptr;
  if (!item) return;
  const char* url = InfoMenuURL(item->GetText());
  if (!url) return;
  ui.OpenURL(url, nullptr, nullptr, nullptr);
  ui.ReleaseMouseCapture();
}

} // namespace plugin::ui
