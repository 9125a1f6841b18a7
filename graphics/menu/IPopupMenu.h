#pragma once

#include "framework/buffers/PtrList.h"
#include "framework/buffers/StringBuf.h"

#include <functional>
#include <initializer_list>
#include <memory>

namespace plugin::ui {

// Menu model: an ordered list of items, each optionally owning a submenu, with a title, a
// numbering prefix, the index of the chosen item and a completion function. Whoever shows the
// menu (the in-editor popup control or the platform menu) writes the chosen index into the menu
// the item was picked from. Main thread only.
class IPopupMenu
{
public:
  // Called with the menu when a choice completes.
  using CompletionFunc = std::function<void(IPopupMenu* menu)>;

  // Numbering shown before each item, with its position counted from 1.
  enum EPrefix : int { kNoPrefix = 0, kPrefix1 = 1, kPrefix2 = 2, kPrefix3 = 3 };

  class Item
  {
  public:
    enum Flags : int { kNoFlags = 0, kDisabled = 0x1, kIndented = 0x2, kChecked = 0x4, kSeparator = 0x8 };

    // text null gives "".
    explicit Item(const char* text, int flags = kNoFlags, int tag = -1);
    // An item opening submenu, which it takes over (null: none).
    Item(const char* text, IPopupMenu* submenu, int tag = -1);
    // Destroys the submenu first, then the text.
    ~Item();
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    const char* GetText() const noexcept { return mText.Get(); }
    void SetText(const char* text) { mText.Set(text); }
    int GetFlags() const noexcept { return mFlags; }
    void SetFlags(int flags) noexcept { mFlags = flags; }
    int GetTag() const noexcept { return mTag; }
    void SetTag(int tag) noexcept { mTag = tag; }
    bool GetEnabled() const noexcept { return !(mFlags & kDisabled); }
    bool GetChecked() const noexcept { return (mFlags & kChecked) != 0; }
    bool GetIsSeparator() const noexcept { return (mFlags & kSeparator) != 0; }
    void SetEnabled(bool enabled) noexcept { SetFlag(kDisabled, !enabled); }
    void SetChecked(bool checked) noexcept { SetFlag(kChecked, checked); }
    IPopupMenu* GetSubmenu() const noexcept { return mSubmenu.get(); }
    // Replaces the submenu (the old one is destroyed); the item takes over the new one.
    void SetSubmenu(IPopupMenu* submenu) noexcept;

  private:
    void SetFlag(int flag, bool on) noexcept { mFlags = on ? (mFlags | flag) : (mFlags & ~flag); }

    StringBuf mText;
    std::unique_ptr<IPopupMenu> mSubmenu;
    int mFlags;
    int mTag;
  };

  // One item per text, in order, with flags 0 and tag -1. rootTitle null gives "".
  explicit IPopupMenu(const char* rootTitle = "", int prefix = kNoPrefix, bool canMultiCheck = false,
                      std::initializer_list<const char*> items = {});
  // Prefix 0, single check, the items as above, then the completion function.
  IPopupMenu(const char* rootTitle, std::initializer_list<const char*> items, CompletionFunc func = nullptr);
  // Destroys the items last to first (each with its submenu), then the title and the function.
  ~IPopupMenu();
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  // Appends item and takes it over; returns it (null item: nothing, null). An item the list
  // cannot take is destroyed and null returned.
  Item* AddItem(Item* item);
  // Appends a new item with the text.
  Item* AddItem(const char* text, int flags = Item::kNoFlags, int tag = -1);
  // Appends a new item opening submenu (taken over).
  Item* AddItem(const char* text, IPopupMenu* submenu, int tag = -1);
  // Appends a separator.
  Item* AddSeparator();
  // Adds item at index and takes it over: kAppend appends, kSorted goes before the first item
  // whose text is not smaller ignoring case (binary search: at an equal item when one is met),
  // any other index inserts there (clamped to the list). Null as for AddItem.
  static constexpr int kAppend = -1;
  static constexpr int kSorted = -2;
  Item* AddItem(Item* item, int index);
  // Destroys item idx (with its submenu); nothing for a bad idx.
  void RemoveItem(int idx) noexcept;

  // Prefix 0, chosen index -1, single check, every item destroyed; title and function stay.
  void Clear();

  int NItems() const noexcept { return mMenuItems.GetSize(); }
  // Item idx, or null outside the list.
  Item* GetItem(int idx) const noexcept { return mMenuItems.Get(idx); }
  // The item at the chosen index, or null when none is chosen or the index is outside the list.
  Item* GetChosenItem() const noexcept { return mMenuItems.Get(mChosenItemIdx); }
  int GetChosenItemIdx() const noexcept { return mChosenItemIdx; }
  void SetChosenItemIdx(int idx) noexcept { mChosenItemIdx = idx; }

  int GetPrefix() const noexcept { return mPrefix; }
  void SetPrefix(int prefix) noexcept { mPrefix = prefix; }
  bool GetCanMultiCheck() const noexcept { return mCanMultiCheck; }
  void SetMultiCheck(bool multi) noexcept { mCanMultiCheck = multi; }
  const char* GetRootTitle() const noexcept { return mRootTitle.Get(); }
  // Replaces the title (null gives "").
  void SetRootTitle(const char* title) { mRootTitle.Set(title); }

  // Sets or clears the check mark of item idx (nothing for a bad idx).
  void CheckItem(int idx, bool checked) noexcept;
  // Checks item idx and clears every other item's check mark.
  void CheckItemAlone(int idx) noexcept;
  // Index of the first item with the tag, -1 when none.
  int GetIndexOfItemWithTag(int tag) const noexcept;

  // Writes the text shown for item idx: the numbering prefix ("%1d: ", "%02d: " or "%03d: " of
  // idx + 1; nothing for prefix 0 or an unknown prefix) followed by the item's text. A bad idx
  // gives "".
  void GetDisplayText(int idx, StringBuf& out) const;

  void SetFunction(CompletionFunc func) { mPopupFunc = std::move(func); }
  const CompletionFunc& GetFunction() const noexcept { return mPopupFunc; }
  // Calls the completion function with the menu when one is set.
  void ExecFunction();

private:
  void DestroyItems() noexcept;

  int mPrefix = kNoPrefix;
  int mChosenItemIdx = -1;
  bool mCanMultiCheck = false;
  PtrList<Item> mMenuItems{4096};
  CompletionFunc mPopupFunc;
  StringBuf mRootTitle{128};
};

} // namespace plugin::ui
