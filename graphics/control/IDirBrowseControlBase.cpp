#include "graphics/control/IDirBrowseControlBase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <memory>

namespace plugin::ui {

namespace {

// Calls func for every item of menu and its submenus, depth first in menu order.
void ForEachItem(IPopupMenu& menu, const std::function<void(IPopupMenu::Item&)>& func)
{
  for (int i = 0; i < menu.NItems(); ++i) {
    IPopupMenu::Item* item = menu.GetItem(i);
    func(*item);
    if (item->GetSubmenu()) ForEachItem(*item->GetSubmenu(), func);
  }
}

struct DirCloser
{
  void operator()(DIR* dir) const noexcept { closedir(dir); }
};

// The resolved path of path, or "" when it cannot be resolved.
std::string Resolved(const std::string& path)
{
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

// A folder entry: marked as one, or (a link, or of unknown kind) leading to one.
bool IsFolder(const dirent& entry, const std::string& path)
{
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat info
  {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

IDirBrowseControlBase::IDirBrowseControlBase(const IRECT& bounds, const char* extension,
                                             bool showFileExtensions, bool scanSubfolders,
                                             bool keepEmptyFolders)
    : IContainerBase(bounds), mScanSubfolders(scanSubfolders), mShowExtensions(showFileExtensions),
      mKeepEmptyFolders(keepEmptyFolders), mExtension(extension ? extension : "")
{}

IDirBrowseControlBase::~IDirBrowseControlBase() = default;

void IDirBrowseControlBase::AddFolder(const char* path, const char* label)
{
  mRootPaths.emplace_back(path ? path : "");
  mRootLabels.emplace_back(label ? label : "");
}

void IDirBrowseControlBase::BuildMenu()
{
  mFilePaths.clear();
  mItems.clear();
  mMainMenu.Clear();
  mSelectedItemIdx = -1;

  std::vector<std::string> ancestors;
  if (mRootPaths.size() == 1) {
    ScanFolder(mRootPaths.front(), mMainMenu, ancestors);
  } else {
    for (size_t i = 0; i < mRootPaths.size(); ++i) {
      auto* submenu = new IPopupMenu();
      if (mMainMenu.AddItem(mRootLabels[i].c_str(), submenu)) ScanFolder(mRootPaths[i], *submenu, ancestors);
    }
  }
  ForEachItem(mMainMenu, [this](IPopupMenu::Item& item) {
    if (!item.GetSubmenu()) mItems.push_back(&item);
  });
}

void IDirBrowseControlBase::ScanFolder(std::string path, IPopupMenu& menu,
                                       std::vector<std::string>& ancestors)
{
  if (!path.empty() && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  if (path.size() >= kMaxPathBytes) return;
  const std::string resolved = Resolved(path);
  if (resolved.empty() || std::find(ancestors.begin(), ancestors.end(), resolved) != ancestors.end())
    return; // unreadable, or a link back into a folder being scanned
  std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
  if (!dir) return; // an unreadable folder adds nothing
  ancestors.push_back(resolved);

  while (const dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.empty() || name.front() == '.') continue;
    const std::string full = path + "/" + name;
    if (full.size() >= kMaxPathBytes) continue; // never cut: a cut path names another file
    if (IsFolder(*entry, full)) {
      if (!mScanSubfolders) continue; // a folder is never a file item
      auto* submenu = new IPopupMenu();
      if (menu.AddItem(new IPopupMenu::Item(name.c_str(), submenu), IPopupMenu::kSorted))
        ScanFolder(full, *submenu, ancestors);
      continue;
    }
    std::string label;
    if (!FileLabel(name, label)) continue;
    const int tag = static_cast<int>(mFilePaths.size());
    if (menu.AddItem(new IPopupMenu::Item(label.c_str(), IPopupMenu::Item::kNoFlags, tag),
                     IPopupMenu::kSorted))
      mFilePaths.push_back(full);
  }

  ancestors.pop_back();
  if (mKeepEmptyFolders) return;
  for (int i = menu.NItems() - 1; i >= 0; --i) {
    const IPopupMenu* submenu = menu.GetItem(i)->GetSubmenu();
    if (submenu && submenu->NItems() == 0) menu.RemoveItem(i);
  }
}

bool IDirBrowseControlBase::FileLabel(const std::string& name, std::string& label) const
{
  if (mExtension.empty() || name.empty()) return false;
  const size_t pos = name.rfind(mExtension);
  if (pos == std::string::npos || pos == 0 || pos + mExtension.size() != name.size()) return false;
  if (mShowExtensions || pos == 1)
    label = name;
  else
    label = name.substr(0, pos - 1); // without the extension and the character before it
  return true;
}

void IDirBrowseControlBase::SelectFile(const char* path)
{
  mSelectedItemIdx = -1;
  if (!path) return;
  const auto file = std::find(mFilePaths.begin(), mFilePaths.end(), path);
  if (file == mFilePaths.end()) return;
  const int tag = static_cast<int>(file - mFilePaths.begin());
  for (size_t i = 0; i < mItems.size(); ++i) {
    if (mItems[i]->GetTag() == tag) {
      mSelectedItemIdx = static_cast<int>(i);
      return;
    }
  }
}

void IDirBrowseControlBase::GetSelectedPath(StringBuf& out) const
{
  const IPopupMenu::Item* item = GetFileItem(mSelectedItemIdx);
  const char* path = item ? GetFilePath(item->GetTag()) : nullptr;
  out.Set(path ? path : "");
}

void IDirBrowseControlBase::MarkSelectedItem()
{
  ForEachItem(mMainMenu, [](IPopupMenu::Item& item) { item.SetChecked(false); });
  if (IPopupMenu::Item* item = GetFileItem(mSelectedItemIdx)) item->SetChecked(true);
}

IPopupMenu::Item* IDirBrowseControlBase::GetFileItem(int idx) const noexcept
{
  return idx >= 0 && idx < ItemCount() ? mItems[idx] : nullptr;
}

const char* IDirBrowseControlBase::GetFilePath(int idx) const noexcept
{
  return idx >= 0 && idx < static_cast<int>(mFilePaths.size()) ? mFilePaths[idx].c_str() : nullptr;
}

} // namespace plugin::ui
