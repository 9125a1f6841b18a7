#pragma once

#include <optional>
#include <string>
#include <string_view>

// An address: a web address made from a text, or a file address made from a path. Value type;
// any thread; allocates.
namespace plugin::sys {

class Url
{
public:
  // The address a text spells, absolute or relative. None when the text is empty or holds a
  // character an address cannot (blanks, controls, non-ASCII, '%' without two hex digits, or one
  // of "\"<>\\^`{|}").
  static std::optional<Url> WithString(std::string_view text);

  // The file address of a POSIX path; a relative path is taken from the current folder, and an
  // existing folder's address ends in '/'. Characters outside a path's allowed set are
  // percent-encoded. None for an empty path.
  static std::optional<Url> FileUrlWithPath(std::string_view path);

  const std::string& AbsoluteString() const noexcept { return mText; }

  // Lower-case scheme ("https", "file"); "" for a relative address.
  std::string Scheme() const;
  bool IsFileUrl() const { return Scheme() == "file"; }

  // The decoded path of a file address, without a trailing '/' (except the root); "" otherwise.
  std::string Path() const;

  bool operator==(const Url&) const = default;

private:
  explicit Url(std::string text) : mText(std::move(text)) {}
  std::string mText;
};

} // namespace plugin::sys
