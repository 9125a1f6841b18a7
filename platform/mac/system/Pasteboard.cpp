#include "platform/mac/system/Pasteboard.h"

#include <algorithm>

namespace plugin::sys {

bool PasteboardItem::SetString(std::string text, std::string_view type)
{
  if (type == kPasteboardTypeFilenames) return false;
  mTexts.insert_or_assign(std::string(type), std::move(text));
  return true;
}

std::optional<std::string> PasteboardItem::StringForType(std::string_view type) const
{
  const auto it = mTexts.find(type);
  if (it == mTexts.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> PasteboardItem::Types() const
{
  std::vector<std::string> types;
  for (const auto& [type, text] : mTexts)
    types.push_back(type);
  return types;
}

Pasteboard& Pasteboard::General()
{
  static Pasteboard general;
  return general;
}

long Pasteboard::ClearContents() noexcept
{
  mItems.clear();
  return ++mChangeCount;
}

bool Pasteboard::SetString(std::string text, std::string_view type)
{
  if (type == kPasteboardTypeFilenames) return false;
  if (mItems.empty()) mItems.emplace_back();
  mItems.front().SetString(std::move(text), type);
  ++mChangeCount;
  return true;
}

bool Pasteboard::WriteObjects(const std::vector<Url>& urls)
{
  if (urls.empty()) return false;
  for (const Url& url : urls)
    mItems.emplace_back().SetString(url.AbsoluteString(),
                                    url.IsFileUrl() ? kPasteboardTypeFileUrl : kPasteboardTypeUrl);
  ++mChangeCount;
  return true;
}

std::optional<std::string> Pasteboard::StringForType(std::string_view type) const
{
  for (const PasteboardItem& item : mItems)
    if (auto text = item.StringForType(type)) return text;
  return std::nullopt;
}

std::optional<std::vector<std::string>> Pasteboard::PropertyListForType(std::string_view type) const
{
  if (type != kPasteboardTypeFilenames) return std::nullopt;
  std::vector<std::string> paths;
  for (const PasteboardItem& item : mItems) {
    const auto text = item.StringForType(kPasteboardTypeFileUrl);
    const auto url = text ? Url::WithString(*text) : std::nullopt;
    if (url && url->IsFileUrl()) paths.push_back(url->Path());
  }
  if (paths.empty()) return std::nullopt;
  return paths;
}

std::vector<std::string> Pasteboard::Types() const
{
  std::vector<std::string> types;
  for (const PasteboardItem& item : mItems)
    for (std::string& type : item.Types())
      if (std::find(types.begin(), types.end(), type) == types.end()) types.push_back(std::move(type));
  if (PropertyListForType(kPasteboardTypeFilenames)) types.emplace_back(kPasteboardTypeFilenames);
  return types;
}

void Pasteboard::Reset() noexcept
{
  mItems.clear();
  mChangeCount = 0;
}

} // namespace plugin::sys
