#include "graphics/IDirBrowseControlBase.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace plugin::ui;
namespace fs = std::filesystem;

namespace {

// The menu tree as text: items in order, a submenu's items in brackets after its item, a
// checked item marked with "*".
std::string Tree(const IPopupMenu& menu)
{
  std::string out;
  for (int i = 0; i < menu.NItems(); ++i) {
    const IPopupMenu::Item* item = menu.GetItem(i);
    out += std::string(i ? " " : "") + item->GetText() + (item->GetChecked() ? "*" : "");
    if (item->GetSubmenu()) out += "[" + Tree(*item->GetSubmenu()) + "]";
  }
  return out;
}

class Browser : public IDirBrowseControlBase
{
public:
  using IDirBrowseControlBase::IDirBrowseControlBase;
};

class DirBrowseTest : public ::testing::Test
{
protected:
  DirBrowseTest()
  {
    char pattern[] = "/tmp/dirbrowseXXXXXX";
    root = mkdtemp(pattern);
    for (const char* file : {"b.txt", "A.txt", "c.txt", "Warm.txt", "txt", "a.txt.bak", ".hidden.txt", "atxt",
                             "sub/x.txt", "empty/y.doc", "other/z.txt"})
      Touch(file);
    fs::create_directory_symlink(root + "/sub", root + "/sub/loop"); // a link back into itself
    fs::create_directory_symlink(root, root + "/sub/up");            // and to its parent
    fs::create_directory(root + "/folder.txt");                      // a folder is never a file
  }
  ~DirBrowseTest() override { fs::remove_all(root); }

  void Touch(const std::string& rel)
  {
    const fs::path p = fs::path(root) / rel;
    fs::create_directories(p.parent_path());
    std::FILE* f = std::fopen(p.c_str(), "w");
    if (f) std::fclose(f);
  }

  std::string root;
};

} // namespace

TEST_F(DirBrowseTest, FilesWithTheExtensionBecomeSortedItemsAndFoldersSubmenus)
{
  Browser b(IRECT(), "txt");
  b.AddFolder((root + "/").c_str(), "ignored with one folder");
  b.BuildMenu();
  // "sub" keeps x; its links back into the tree are not followed, so they stay empty and go.
  EXPECT_EQ(Tree(b.GetMenu()), "A atxt b c other[z] sub[x] Warm");
  EXPECT_EQ(b.ItemCount(), 7);
  for (int i = 0; i < b.ItemCount(); ++i) // every item's tag names its own file
    EXPECT_EQ(fs::path(b.GetFilePath(b.GetFileItem(i)->GetTag())).stem().string().substr(0, 1),
              std::string(b.GetFileItem(i)->GetText()).substr(0, 1));
}

TEST_F(DirBrowseTest, OptionsKeepExtensionsAndEmptyFolders)
{
  Browser b(IRECT(), "txt", /*showFileExtensions*/ true, /*scanSubfolders*/ true, /*keepEmptyFolders*/ true);
  b.AddFolder(root.c_str(), "");
  b.BuildMenu();
  EXPECT_EQ(Tree(b.GetMenu()),
            "A.txt atxt b.txt c.txt empty[] folder.txt[] other[z.txt] sub[loop[] up[] x.txt] Warm.txt");

  Browser flat(IRECT(), "txt", false, /*scanSubfolders*/ false);
  flat.AddFolder(root.c_str(), "");
  flat.BuildMenu();
  EXPECT_EQ(Tree(flat.GetMenu()), "A atxt b c Warm");
}

TEST_F(DirBrowseTest, SeveralFoldersGetLabelledSubmenusAndUnreadableOnesAddNothing)
{
  Browser b(IRECT(), "txt");
  b.AddFolder((root + "/other").c_str(), "Other");
  b.AddFolder((root + "/missing").c_str(), nullptr);
  b.AddFolder((root + "/empty").c_str(), "Empty");
  b.BuildMenu();
  EXPECT_EQ(Tree(b.GetMenu()), "Other[z] [] Empty[]");
  EXPECT_EQ(b.ItemCount(), 1);

  Browser none(IRECT(), "");
  none.AddFolder(root.c_str(), "");
  none.BuildMenu();
  EXPECT_EQ(none.ItemCount(), 0); // no extension accepts no file
}

TEST_F(DirBrowseTest, SelectionFollowsTheExactPath)
{
  Browser b(IRECT(), "txt");
  b.AddFolder(root.c_str(), "");
  b.BuildMenu();
  plugin::StringBuf path;
  b.SelectFile((root + "/sub/x.txt").c_str());
  b.GetSelectedPath(path);
  EXPECT_EQ(std::string(path.Get()), root + "/sub/x.txt");
  b.MarkSelectedItem();
  EXPECT_EQ(Tree(b.GetMenu()), "A atxt b c other[z] sub[x*] Warm");

  b.SelectFile((root + "/SUB/x.txt").c_str()); // case counts
  b.GetSelectedPath(path);
  EXPECT_STREQ(path.Get(), "");
  b.MarkSelectedItem();
  EXPECT_EQ(Tree(b.GetMenu()), "A atxt b c other[z] sub[x] Warm");
  b.SelectFile(nullptr);
  EXPECT_EQ(b.GetSelectedItemIdx(), -1);
}

TEST_F(DirBrowseTest, PathsBeyondTheLimitAreSkippedNotCut)
{
  // A chain of folders whose innermost file lies beyond 2048 bytes of path.
  std::string rel;
  for (int i = 0; i < 10; ++i)
    rel += std::string(210, char('a' + i)) + "/";
  Touch(rel + "deep.txt");
  Touch(std::string(210, 'a') + "/near.txt");
  Browser b(IRECT(), "txt");
  b.AddFolder(root.c_str(), "");
  b.BuildMenu();
  EXPECT_EQ(b.ItemCount(), 8); // near.txt, not deep.txt
  for (int i = 0; i < b.ItemCount(); ++i)
    EXPECT_LT(std::string(b.GetFilePath(b.GetFileItem(i)->GetTag())).size(), IDirBrowseControlBase::kMaxPathBytes);
}
