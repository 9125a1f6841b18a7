#pragma once

#include "platform/mac/system/Url.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Property lists in their XML form, as the system keeps descriptions of its resources: a tree of
// dictionaries, arrays, strings, numbers (real and integer alike) and booleans. Value type; any
// thread; allocates.
namespace plugin::sys {

class PropertyListValue
{
public:
  enum class Kind { String, Number, Boolean, Array, Dictionary };

  Kind GetKind() const noexcept { return mKind; }

  // The number, or nothing for any other kind.
  std::optional<double> Number() const noexcept;
  const std::string* String() const noexcept { return mKind == Kind::String ? &mText : nullptr; }
  bool Boolean() const noexcept { return mKind == Kind::Boolean && mNumber != 0.0; }
  // The elements of an array (empty for any other kind).
  const std::vector<PropertyListValue>& Elements() const noexcept { return mElements; }
  // The value under key in a dictionary; null for a missing key or another kind.
  const PropertyListValue* ValueForKey(std::string_view key) const noexcept;
  std::size_t Count() const noexcept { return mElements.size(); }

  static PropertyListValue MakeString(std::string text);
  static PropertyListValue MakeNumber(double value);
  static PropertyListValue MakeBoolean(bool value);
  static PropertyListValue MakeArray(std::vector<PropertyListValue> elements);
  // Pairs of key and value; a key given twice keeps its last value.
  static PropertyListValue MakeDictionary(std::vector<std::pair<std::string, PropertyListValue>> entries);

private:
  Kind mKind = Kind::String;
  std::string mText;
  double mNumber = 0.0;
  std::vector<std::string> mKeys;             // dictionaries: the key of each element
  std::vector<PropertyListValue> mElements;   // arrays and dictionaries
};

// Nesting deeper than this is refused.
inline constexpr int kMaxPropertyListDepth = 32;

// The value of an XML property list: an optional declaration, comments and document type, then
// one <plist> element holding one value. Nothing for anything malformed: unknown elements,
// unbalanced or unclosed tags, a dictionary key without a value, numbers that do not parse,
// unknown entities, deeper nesting than kMaxPropertyListDepth, or text after the end.
std::optional<PropertyListValue> ParsePropertyList(std::string_view text);

// The dictionary in the file a file address names: the system's own copy when it serves one at
// that path (SystemFiles), else the file on disk. Null for another kind of address, a file that
// cannot be read, text that does not parse, or a root that is not a dictionary. Main thread (the
// system's files are kept there); reads the file system.
std::shared_ptr<const PropertyListValue> DictionaryWithContentsOfUrl(const Url& url);

} // namespace plugin::sys
