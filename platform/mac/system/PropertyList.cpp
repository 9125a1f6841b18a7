#include "platform/mac/system/PropertyList.h"

#include "framework/buffers/IByteChunk.h"
#include "framework/buffers/WholeFile.h"
#include "framework/text/UnicodeCodec.h"
#include "platform/mac/system/SystemFiles.h"

#include <charconv>
#include <cmath>
#include <unordered_map>

namespace plugin::sys {

// --- Values ---

std::optional<double> PropertyListValue::Number() const noexcept
{
  if (mKind != Kind::Number) return std::nullopt;
  return mNumber;
}

const PropertyListValue* PropertyListValue::ValueForKey(std::string_view key) const noexcept
{
  if (mKind != Kind::Dictionary) return nullptr;
  for (std::size_t i = 0; i < mKeys.size(); ++i)
    if (mKeys[i] == key) return &mElements[i];
  return nullptr;
}

PropertyListValue PropertyListValue::MakeString(std::string text)
{
  PropertyListValue v;
  v.mKind = Kind::String;
  v.mText = std::move(text);
  return v;
}

PropertyListValue PropertyListValue::MakeNumber(double value)
{
  PropertyListValue v;
  v.mKind = Kind::Number;
  v.mNumber = value;
  return v;
}

PropertyListValue PropertyListValue::MakeBoolean(bool value)
{
  PropertyListValue v;
  v.mKind = Kind::Boolean;
  v.mNumber = value ? 1.0 : 0.0;
  return v;
}

PropertyListValue PropertyListValue::MakeArray(std::vector<PropertyListValue> elements)
{
  PropertyListValue v;
  v.mKind = Kind::Array;
  v.mElements = std::move(elements);
  return v;
}

PropertyListValue PropertyListValue::MakeDictionary(std::vector<std::pair<std::string, PropertyListValue>> entries)
{
  PropertyListValue v;
  v.mKind = Kind::Dictionary;
  std::unordered_map<std::string, std::size_t> index;
  for (auto& [key, value] : entries) {
    const auto [at, added] = index.try_emplace(key, v.mKeys.size());
    if (!added) {
      v.mElements[at->second] = std::move(value);
      continue;
    }
    v.mKeys.push_back(key);
    v.mElements.push_back(std::move(value));
  }
  return v;
}

// --- Reading ---

namespace {

bool IsSpace(char c) noexcept
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameChar(char c) noexcept
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.' || c == ':';
}

std::string_view Trim(std::string_view text) noexcept
{
  while (!text.empty() && IsSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back()))
    text.remove_suffix(1);
  return text;
}

// Text with its entities replaced; nothing for an unknown or invalid entity.
std::optional<std::string> DecodeEntities(std::string_view raw)
{
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '&') {
      out += raw[i];
      continue;
    }
    const std::size_t semi = raw.find(';', i);
    if (semi == std::string_view::npos) return std::nullopt;
    const std::string_view name = raw.substr(i + 1, semi - i - 1);
    i = semi;
    if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "amp") out += '&';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      const std::string_view digits = name.substr(hex ? 2 : 1);
      std::uint32_t cp = 0;
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
      if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
      if (cp == 0 || cp > 0x10FFFF || text::IsSurrogate(static_cast<char32_t>(cp))) return std::nullopt;
      text::AppendUtf8(out, static_cast<char32_t>(cp));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

class Parser
{
public:
  explicit Parser(std::string_view text) : mText(text) {}

  std::optional<PropertyListValue> Document()
  {
    if (!SkipMisc()) return std::nullopt;
    const auto root = ReadTag();
    if (!root || root->closing || root->empty || root->name != "plist") return std::nullopt;
    if (!SkipMisc()) return std::nullopt;
    const auto first = ReadTag();
    if (!first) return std::nullopt;
    auto value = Value(*first, 1);
    if (!value || !SkipMisc()) return std::nullopt;
    const auto end = ReadTag();
    if (!end || !end->closing || end->name != "plist") return std::nullopt;
    if (!SkipMisc() || mPos != mText.size()) return std::nullopt;
    return value;
  }

private:
  struct Tag
  {
    std::string_view name;
    bool closing = false;
    bool empty = false; // <name/>
  };

  bool StartsWith(std::string_view prefix) const noexcept { return mText.substr(mPos).starts_with(prefix); }

  // Skips blanks, comments, declarations and the document type; false when one is unterminated.
  bool SkipMisc()
  {
    for (;;) {
      while (mPos < mText.size() && IsSpace(mText[mPos]))
        ++mPos;
      std::string_view end;
      if (StartsWith("<!--")) end = "-->";
      else if (StartsWith("<?")) end = "?>";
      else if (StartsWith("<!DOCTYPE")) end = ">";
      else return true;
      const std::size_t at = mText.find(end, mPos + 2);
      if (at == std::string_view::npos) return false;
      mPos = at + end.size();
    }
  }

  // The tag at the current position, attributes skipped.
  std::optional<Tag> ReadTag()
  {
    if (mPos >= mText.size() || mText[mPos] != '<') return std::nullopt;
    Tag tag;
    std::size_t p = mPos + 1;
    if (p < mText.size() && mText[p] == '/') {
      tag.closing = true;
      ++p;
    }
    const std::size_t nameStart = p;
    while (p < mText.size() && IsNameChar(mText[p]))
      ++p;
    tag.name = mText.substr(nameStart, p - nameStart);
    if (tag.name.empty()) return std::nullopt;
    char quote = 0;
    for (; p < mText.size(); ++p) {
      const char c = mText[p];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '<') {
        return std::nullopt;
      } else if (c == '>') {
        tag.empty = mText[p - 1] == '/';
        if (tag.empty && tag.closing) return std::nullopt;
        mPos = p + 1;
        return tag;
      }
    }
    return std::nullopt;
  }

  // The decoded text up to the closing tag of name, which is consumed.
  std::optional<std::string> ReadText(std::string_view name)
  {
    const std::size_t lt = mText.find('<', mPos);
    if (lt == std::string_view::npos) return std::nullopt;
    const std::string_view raw = mText.substr(mPos, lt - mPos);
    mPos = lt;
    const auto close = ReadTag();
    if (!close || !close->closing || close->name != name) return std::nullopt;
    return DecodeEntities(raw);
  }

  std::optional<PropertyListValue> Number(const Tag& open)
  {
    if (open.empty) return std::nullopt;
    const auto text = ReadText(open.name);
    if (!text) return std::nullopt;
    const std::string_view digits = Trim(*text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return PropertyListValue::MakeNumber(value);
  }

  std::optional<PropertyListValue> Dictionary(const Tag& open, int depth)
  {
    std::vector<std::pair<std::string, PropertyListValue>> entries;
    if (open.empty) return PropertyListValue::MakeDictionary(std::move(entries));
    for (;;) {
      if (!SkipMisc()) return std::nullopt;
      const auto tag = ReadTag();
      if (!tag) return std::nullopt;
      if (tag->closing && tag->name == "dict") break;
      if (tag->closing || tag->name != "key") return std::nullopt;
      std::optional<std::string> key = tag->empty ? std::string() : ReadText("key");
      if (!key || !SkipMisc()) return std::nullopt;
      const auto valueTag = ReadTag();
      if (!valueTag) return std::nullopt;
      auto value = Value(*valueTag, depth + 1);
      if (!value) return std::nullopt;
      entries.emplace_back(std::move(*key), std::move(*value));
    }
    return PropertyListValue::MakeDictionary(std::move(entries));
  }

  std::optional<PropertyListValue> Array(const Tag& open, int depth)
  {
    std::vector<PropertyListValue> elements;
    if (open.empty) return PropertyListValue::MakeArray(std::move(elements));
    for (;;) {
      if (!SkipMisc()) return std::nullopt;
      const auto tag = ReadTag();
      if (!tag) return std::nullopt;
      if (tag->closing && tag->name == "array") break;
      auto value = Value(*tag, depth + 1);
      if (!value) return std::nullopt;
      elements.push_back(std::move(*value));
    }
    return PropertyListValue::MakeArray(std::move(elements));
  }

  std::optional<PropertyListValue> Value(const Tag& open, int depth)
  {
    if (open.closing || depth > kMaxPropertyListDepth) return std::nullopt;
    if (open.name == "dict") return Dictionary(open, depth);
    if (open.name == "array") return Array(open, depth);
    if (open.name == "real" || open.name == "integer") return Number(open);
    if (open.name == "string") {
      auto text = open.empty ? std::string() : ReadText("string");
      if (!text) return std::nullopt;
      return PropertyListValue::MakeString(std::move(*text));
    }
    if (open.name == "true" || open.name == "false") {
      if (!open.empty) {
        const auto text = ReadText(open.name);
        if (!text || !text->empty()) return std::nullopt;
      }
      return PropertyListValue::MakeBoolean(open.name == "true");
    }
    return std::nullopt;
  }

  std::string_view mText;
  std::size_t mPos = 0;
};

} // namespace

std::optional<PropertyListValue> ParsePropertyList(std::string_view text)
{
  return Parser(text).Document();
}

std::shared_ptr<const PropertyListValue> DictionaryWithContentsOfUrl(const Url& url)
{
  if (!url.IsFileUrl()) return nullptr;
  const std::string path = url.Path();
  if (path.empty()) return nullptr;
  std::optional<std::string> text = SystemFiles::TextAt(path);
  if (!text) {
    IByteChunk bytes;
    if (!ReadWholeFile(path.c_str(), bytes) || bytes.Size() == 0) return nullptr;
    text.emplace(reinterpret_cast<const char*>(bytes.GetData()), static_cast<std::size_t>(bytes.Size()));
  }
  auto value = ParsePropertyList(*text);
  if (!value || value->GetKind() != PropertyListValue::Kind::Dictionary) return nullptr;
  return std::make_shared<const PropertyListValue>(std::move(*value));
}

} // namespace plugin::sys
