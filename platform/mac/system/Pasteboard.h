#pragma once

#include "platform/mac/system/Url.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The pasteboard: the general one (the clipboard) and the private ones of drags. It holds items,
// each with one text per type. File addresses on it can also be read as the older list of file
// names. Main thread only.
namespace plugin::sys {

inline constexpr std::string_view kPasteboardTypeString = "text.utf8";
inline constexpr std::string_view kPasteboardTypeFileUrl = "address.file";
inline constexpr std::string_view kPasteboardTypeUrl = "address";
// The file paths of every file address on the pasteboard, read with PropertyListForType.
inline constexpr std::string_view kPasteboardTypeFilenames = "file-names";

// One item: a text per type. Value type.
class PasteboardItem
{
public:
  // False for the file-names type, which is derived, never stored.
  bool SetString(std::string text, std::string_view type);
  std::optional<std::string> StringForType(std::string_view type) const;
  std::vector<std::string> Types() const;

private:
  std::map<std::string, std::string, std::less<>> mTexts;
};

class Pasteboard
{
public:
  // The clipboard.
  static Pasteboard& General();

  // A new private pasteboard (drags). Allocates.
  static std::shared_ptr<Pasteboard> Create() { return std::make_shared<Pasteboard>(); }

  // Removes every item; returns the new change count.
  long ClearContents() noexcept;

  // Puts text under type on the first item (made when there is none). False for the file-names
  // type.
  bool SetString(std::string text, std::string_view type);

  // Adds one item per address (file addresses as file addresses, others as addresses).
  // False, and nothing added, for an empty list.
  bool WriteObjects(const std::vector<Url>& urls);

  // The text of the first item that has type; none when no item has it.
  std::optional<std::string> StringForType(std::string_view type) const;

  // For the file-names type: the paths of the file addresses, in item order; none when there
  // are none (and for every other type).
  std::optional<std::vector<std::string>> PropertyListForType(std::string_view type) const;

  // The types of all items in first-seen order, plus the file-names type when file addresses
  // are present.
  std::vector<std::string> Types() const;

  // Empty, change count 0 (tests).
  void Reset() noexcept;

private:
  std::vector<PasteboardItem> mItems;
  long mChangeCount = 0;
};

} // namespace plugin::sys
