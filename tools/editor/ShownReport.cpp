#include "tools/editor/ShownReport.h"

#include "platform/mac/system/ScriptedUser.h"
#include "platform/mac/system/Workspace.h"

#include <ostream>
#include <string>
#include <vector>

namespace kelmo::editor {

namespace {

using plugin::sys::MenuItemRecord;

// One line per item: its path ("2" or "2/0" for an item of a sub-menu), its title and what it
// is; sub-menus follow their item, indented.
void WriteItems(std::ostream& out, const std::vector<MenuItemRecord>& items, const std::string& prefix,
                int depth)
{
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItemRecord& item = items[i];
    const std::string path = prefix + std::to_string(i);
    out << std::string(static_cast<std::size_t>(2 + 2 * depth), ' ') << path << "  ";
    if (item.separator) {
      out << "(separator)\n";
      continue;
    }
    out << item.title;
    if (item.state == plugin::sys::ControlState::On) out << "  (checked)";
    if (!item.enabled) out << "  (disabled)";
    if (item.hasSubmenu) out << "  (sub-menu)";
    out << '\n';
    if (item.hasSubmenu) WriteItems(out, item.submenu, path + "/", depth + 1);
  }
}

// The item at path, or null.
const MenuItemRecord* ItemAt(const std::vector<MenuItemRecord>& items, const std::vector<int>& path)
{
  const std::vector<MenuItemRecord>* level = &items;
  const MenuItemRecord* item = nullptr;
  for (const int index : path) {
    if (!level || index < 0 || static_cast<std::size_t>(index) >= level->size()) return nullptr;
    item = &(*level)[static_cast<std::size_t>(index)];
    level = &item->submenu;
  }
  return item;
}

std::string PathText(const std::vector<int>& path)
{
  std::string text;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i) text += '/';
    text += std::to_string(path[i]);
  }
  return text;
}

} // namespace

ShownReport::ShownReport()
    : mMenus(plugin::sys::ScriptedUser::Shared().Menus().size()),
      mUrls(plugin::sys::Workspace::Shared().OpenedUrls().size())
{
}

void ShownReport::WriteNew(std::ostream& out)
{
  const auto& menus = plugin::sys::ScriptedUser::Shared().Menus();
  for (; mMenus < menus.size(); ++mMenus) {
    const plugin::sys::MenuRecord& menu = menus[mMenus];
    out << "kelmo-editor: a menu opened (\"menu I/J\" picks item I, J of its sub-menu):\n";
    WriteItems(out, menu.items, "", 0);
    if (menu.path.empty()) {
      out << "kelmo-editor: the menu was dismissed\n";
    } else {
      const MenuItemRecord* item = ItemAt(menu.items, menu.path);
      out << "kelmo-editor: menu " << PathText(menu.path);
      if (menu.chosen && item)
        out << " chose \"" << item->title << "\"\n";
      else
        out << " chose nothing there\n";
    }
  }
  const auto& urls = plugin::sys::Workspace::Shared().OpenedUrls();
  for (; mUrls < urls.size(); ++mUrls)
    out << "kelmo-editor: opened " << urls[mUrls] << '\n';
}

} // namespace kelmo::editor
