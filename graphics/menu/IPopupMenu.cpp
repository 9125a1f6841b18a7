#include "graphics/menu/IPopupMenu.h"

#include <strings.h>

namespace plugin::ui {

IPopupMenu::Item::Item(const char* text, int flags, int tag) : mFlags(flags), mTag(tag)
{
  mText.Set(text);
}

IPopupMenu::Item::Item(const char* text, IPopupMenu* submenu, int tag)
    : mSubmenu(submenu), mFlags(kNoFlags), mTag(tag)
{
  mText.Set(text);
}

IPopupMenu::Item::~Item()
{
  mSubmenu.reset(); // the submenu before the text
}

void IPopupMenu::Item::SetSubmenu(IPopupMenu* submenu) noexcept
{
  mSubmenu.reset(submenu);
}

IPopupMenu::IPopupMenu(const char* rootTitle, int prefix, bool canMultiCheck,
                       std::initializer_list<const char*> items)
    : mPrefix(prefix), mCanMultiCheck(canMultiCheck)
{
  mRootTitle.Set(rootTitle);
  for (const char* text : items)
    AddItem(text);
}

IPopupMenu::IPopupMenu(const char* rootTitle, std::initializer_list<const char*> items, CompletionFunc func)
    : IPopupMenu(rootTitle, kNoPrefix, false, items)
{
  mPopupFunc = std::move(func);
}

IPopupMenu::~IPopupMenu()
{
  DestroyItems();
}

void IPopupMenu::DestroyItems() noexcept
{
  mMenuItems.Empty(true); // last to first; each item destroys its submenu first
}

IPopupMenu::Item* IPopupMenu::AddItem(Item* item)
{
  if (!item) return nullptr;
  if (!mMenuItems.Add(item)) {
    delete item;
    return nullptr;
  }
  return item;
}

IPopupMenu::Item* IPopupMenu::AddItem(Item* item, int index)
{
  if (!item) return nullptr;
  const int n = NItems();
  if (index == kSorted) {
    int lo = 0;
    int hi = n;
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      const int order = strcasecmp(item->GetText(), mMenuItems.Get(mid)->GetText());
      if (order == 0) {
        lo = mid;
        break;
      }
      if (order > 0)
        lo = mid + 1;
      else
        hi = mid;
    }
    index = lo;
  } else if (index < 0 || index > n) {
    index = n;
  }
  if (!AddItem(item)) return nullptr;
  // The items after index move behind the new one; each move shrinks and regrows the list within
  // the memory it already holds, so none can fail.
  for (int k = index; k < n; ++k) {
    Item* const moved = mMenuItems.Get(index);
    mMenuItems.Delete(index, false);
    mMenuItems.Add(moved);
  }
  return item;
}

void IPopupMenu::RemoveItem(int idx) noexcept
{
  mMenuItems.Delete(idx, true);
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, int flags, int tag)
{
  return AddItem(new Item(text, flags, tag));
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, IPopupMenu* submenu, int tag)
{
  return AddItem(new Item(text, submenu, tag));
}

IPopupMenu::Item* IPopupMenu::AddSeparator()
{
  return AddItem(new Item("", Item::kSeparator));
}

void IPopupMenu::Clear()
{
  mPrefix = kNoPrefix;
  mChosenItemIdx = -1;
  mCanMultiCheck = false;
  DestroyItems();
}

void IPopupMenu::CheckItem(int idx, bool checked) noexcept
{
  if (Item* item = GetItem(idx)) item->SetChecked(checked);
}

void IPopupMenu::CheckItemAlone(int idx) noexcept
{
  for (int i = 0; i < NItems(); ++i)
    GetItem(i)->SetChecked(i == idx);
}

int IPopupMenu::GetIndexOfItemWithTag(int tag) const noexcept
{
  for (int i = 0; i < NItems(); ++i)
    if (GetItem(i)->GetTag() == tag) return i;
  return -1;
}

void IPopupMenu::GetDisplayText(int idx, StringBuf& out) const
{
  const Item* item = GetItem(idx);
  if (!item) {
    out.Set("");
    return;
  }
  constexpr int kMaxPrefixLen = 16;
  switch (mPrefix) {
  case kPrefix1:
    out.SetFormatted(kMaxPrefixLen, "%1d: ", idx + 1);
    break;
  case kPrefix2:
    out.SetFormatted(kMaxPrefixLen, "%02d: ", idx + 1);
    break;
  case kPrefix3:
    out.SetFormatted(kMaxPrefixLen, "%03d: ", idx + 1);
    break;
  default:
    out.Set("");
    break;
  }
  out.Append(item->GetText());
}

void IPopupMenu::ExecFunction()
{
  if (mPopupFunc) mPopupFunc(this);
}

} // namespace plugin::ui
