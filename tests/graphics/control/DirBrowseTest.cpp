#include "graphics/control/IDirBrowseControlBase.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace plugin::ui;
namespace fs = std::filesystem;

namespace {

// The menu tree as text: items in order, a submenu's items in brackets, a check mark as "*".
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

class DirBrowseTest : public ::testing::Test
{
protected:
  DirBrowseTest()
  {
    for (const char* f : {"b.txt", "A.txt", "Warm.txt", "txt", "a.txt.bak", ".hidden.txt", "atxt",
                          "sub/x.txt", "empty/y.doc", "folder.txt/z.txt.old"})
      Touch(f);
    fs::create_directory_symlink(root + "/sub", root + "/sub/loop"); // links back into the tree
    fs::create_directory_symlink(root, root + "/sub/up");
  }
  void Touch(const std::string& rel)
  {
    fs::create_directories((fs::path(root) / rel).parent_path());
    std::fclose(std::fopen((root + "/" + rel).c_str(), "w"));
  }
  std::string Build(IDirBrowseControlBase& b, const std::string& folder = "")
  {
    b.AddFolder((root + folder).c_str(), "");
    b.BuildMenu();
    return Tree(b.GetMenu());
  }
  testsupport::TempFolder folder{"kelmo-dirbrowse"};
  std::string root = folder.Path();
};

} // namespace

TEST_F(DirBrowseTest, MatchingFilesBecomeSortedItemsFoldersSubmenusAndLoopsAreNotFollowed)
{
  IDirBrowseControlBase plain(IRECT(), "txt");
  EXPECT_EQ(Build(plain, "/"), "A atxt b sub[x] Warm"); // empty folders and loop links go
  EXPECT_EQ(plain.ItemCount(), 5);
  IDirBrowseControlBase keep(IRECT(), "txt", true, true, true); // extensions and empty folders kept
  EXPECT_EQ(Build(keep), "A.txt atxt b.txt empty[] folder.txt[] sub[loop[] up[] x.txt] Warm.txt");
  IDirBrowseControlBase flat(IRECT(), "txt", false, false);
  EXPECT_EQ(Build(flat), "A atxt b Warm");
  IDirBrowseControlBase two(IRECT(), "txt");
  two.AddFolder((root + "/sub").c_str(), "Sub");
  two.AddFolder((root + "/missing").c_str(), nullptr); // unreadable: adds nothing
  two.BuildMenu();
  EXPECT_EQ(Tree(two.GetMenu()), "Sub[up[A atxt b Warm] x] []");
}

TEST_F(DirBrowseTest, SelectionFollowsTheExactPathAndLongPathsAreSkipped)
{
  std::string deep;
  for (int i = 0; i < 9; ++i)
    deep += std::string(210, char('c' + i)) + "/";
  Touch(deep + "p.txt");                          // fits
  Touch(deep + std::string(125, 'l') + "/q.txt"); // 2051 bytes of path: skipped, never cut
  IDirBrowseControlBase b(IRECT(), "txt");
  Build(b);
  EXPECT_EQ(b.ItemCount(), 6);
  EXPECT_STREQ(b.GetFileItem(5)->GetText(), "Warm");
  plugin::StringBuf path;
  b.SelectFile((root + "/sub/x.txt").c_str());
  b.MarkSelectedItem();
  b.GetSelectedPath(path);
  EXPECT_EQ(root + "/sub/x.txt", path.Get());
  EXPECT_TRUE(b.GetFileItem(4)->GetChecked());
  b.SelectFile((root + "/SUB/x.txt").c_str()); // case counts
  b.MarkSelectedItem();
  b.GetSelectedPath(path);
  EXPECT_STREQ(path.Get(), "");
  EXPECT_FALSE(b.GetFileItem(4)->GetChecked());
}
