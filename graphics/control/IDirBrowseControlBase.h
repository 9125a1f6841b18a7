#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/control/IContainerBase.h"
#include "graphics/menu/IPopupMenu.h"

#include <string>
#include <vector>

namespace plugin::ui {

// A container that turns folders of the file system into a menu of files: every file with the
// extension becomes an item (tagged with the index of its path), every subfolder a submenu, items
// sorted by name ignoring case; it remembers which file is selected. Concrete controls show the
// menu and draw. Main thread only; building the menu reads the file system.
class IDirBrowseControlBase : public IContainerBase
{
public:
  // Longest path, terminator included, the scan forms; entries with longer paths are skipped.
  static constexpr size_t kMaxPathBytes = 2048;

  // extension is taken without its dot ("txt"); an empty one accepts no file.
  IDirBrowseControlBase(const IRECT& bounds, const char* extension, bool showFileExtensions = false,
                        bool scanSubfolders = true, bool keepEmptyFolders = false);
  ~IDirBrowseControlBase() override;

  // Adds a folder to scan and its label (null: "").
  void AddFolder(const char* path, const char* label);
  // Rebuilds the menu from the folders (one folder straight into the menu, several as submenus
  // under their labels) and collects its file items; the selection is cleared.
  void BuildMenu();
  // Number of file items collected.
  int ItemCount() const noexcept { return static_cast<int>(mItems.size()); }
  // Selects the item of the first file whose full path is exactly path; none when there is none.
  void SelectFile(const char* path);
  // Full path of the selected file; "" when none is selected.
  void GetSelectedPath(StringBuf& out) const;
  // Checks the selected item and clears every other check mark of the menu tree.
  void MarkSelectedItem();

  IPopupMenu& GetMenu() noexcept { return mMainMenu; }
  int GetSelectedItemIdx() const noexcept { return mSelectedItemIdx; }
  // File item idx in menu order, or null.
  IPopupMenu::Item* GetFileItem(int idx) const noexcept;
  // Full path of file idx (an item's tag), or null.
  const char* GetFilePath(int idx) const noexcept;

protected:
  // Adds the folder's files and (when scanning subfolders) submenus to menu. ancestors holds the
  // resolved paths of the folders being scanned, so that a link back to one is not followed.
  void ScanFolder(std::string path, IPopupMenu& menu, std::vector<std::string>& ancestors);
  // Label for a file name, or false when the name does not end in the extension.
  bool FileLabel(const std::string& name, std::string& label) const;

  bool mScanSubfolders;
  bool mShowExtensions;
  bool mKeepEmptyFolders;
  int mSelectedItemIdx = -1;
  IPopupMenu mMainMenu;
  std::vector<std::string> mRootPaths;
  std::vector<std::string> mRootLabels;
  std::vector<std::string> mFilePaths;
  std::vector<IPopupMenu::Item*> mItems; // file items of the menu tree, not owned
  std::string mExtension;
};

} // namespace plugin::ui
