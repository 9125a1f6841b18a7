#include "graphics/menu/IPopupMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using plugin::StringBuf;
using plugin::ui::IPopupMenu;
using Item = IPopupMenu::Item;

TEST(IPopupMenu, ItemsFromListAndClearKeepsTitleAndFunction)
{
  int calls = 0;
  IPopupMenu menu("Title", {"a", "b", "c"}, [&](IPopupMenu*) { ++calls; });
  ASSERT_EQ(menu.NItems(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(std::string(menu.GetItem(i)->GetText()), std::string(1, char('a' + i)));
    EXPECT_EQ(menu.GetItem(i)->GetFlags(), 0);
    EXPECT_EQ(menu.GetItem(i)->GetTag(), -1);
  }
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  menu.SetPrefix(2);
  menu.SetMultiCheck(true);
  menu.SetChosenItemIdx(1);
  EXPECT_EQ(std::string(menu.GetChosenItem()->GetText()), "b");
  menu.Clear();
  EXPECT_EQ(menu.NItems(), 0);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_EQ(menu.GetPrefix(), 0);
  EXPECT_FALSE(menu.GetCanMultiCheck());
  EXPECT_EQ(std::string(menu.GetRootTitle()), "Title");
  menu.ExecFunction();
  EXPECT_EQ(calls, 1);
}

TEST(IPopupMenu, NumberingPrefixes)
{
  struct Case
  {
    int prefix, idx;
    const char* text;
  };
  const Case cases[] = {{0, 2, "x"},      {1, 2, "3: x"},    {1, 11, "12: x"}, {2, 2, "03: x"},
                        {2, 11, "12: x"}, {3, 11, "012: x"}, {7, 11, "x"},     {2, 12, ""}};
  IPopupMenu menu("", 0, false, {});
  for (int i = 0; i < 12; ++i)
    menu.AddItem("x");
  StringBuf out;
  for (const Case& c : cases) {
    menu.SetPrefix(c.prefix);
    menu.GetDisplayText(c.idx, out);
    EXPECT_EQ(std::string(out.Get()), c.text) << c.prefix << " " << c.idx;
  }
}

TEST(IPopupMenu, DestroyingTheRootFreesNestedSubmenus)
{
  auto token = std::make_shared<int>(0);
  auto* root = new IPopupMenu("root", {}, [token](IPopupMenu*) {});
  auto* sub = new IPopupMenu("sub", {}, [token](IPopupMenu*) {});
  auto* subsub = new IPopupMenu("subsub", {"deep"}, [token](IPopupMenu*) {});
  sub->AddItem("to subsub", subsub);
  Item* withSub = root->AddItem("to sub", sub);
  withSub->SetFlags(Item::kSeparator); // shown as a plain separator, still owned
  EXPECT_TRUE(withSub->GetIsSeparator());
  EXPECT_EQ(token.use_count(), 4);
  delete root;
  EXPECT_EQ(token.use_count(), 1);
}

TEST(IPopupMenu, ChecksLookupsAndBadIndices)
{
  IPopupMenu menu("", 0, false, {"a", "b", "c"});
  menu.GetItem(1)->SetTag(42);
  EXPECT_EQ(menu.GetIndexOfItemWithTag(42), 1);
  menu.CheckItem(0, true);
  menu.CheckItemAlone(2);
  EXPECT_TRUE(!menu.GetItem(0)->GetChecked() && menu.GetItem(2)->GetChecked());
  menu.SetChosenItemIdx(3);
  EXPECT_EQ(menu.GetChosenItem(), nullptr);
  EXPECT_EQ(menu.AddItem(static_cast<Item*>(nullptr)), nullptr);
}
