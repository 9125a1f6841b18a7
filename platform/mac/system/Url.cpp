#include "platform/mac/system/Url.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace plugin::sys {

namespace {

bool IsHex(char c) noexcept
{
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

int HexValue(char c) noexcept
{
  return c <= '9' ? c - '0' : (std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
}

bool IsUrlCharacter(char c) noexcept
{
  const auto u = static_cast<unsigned char>(c);
  if (u <= 0x20 || u >= 0x7f) return false;
  return std::strchr("\"<>\\^`{|}", c) == nullptr;
}

// Characters a file address's path keeps as they are.
bool IsPathCharacter(char c) noexcept
{
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || std::strchr("-._~!$&'()*+,;=:@/", c) != nullptr;
}

std::string PercentDecode(std::string_view text)
{
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && IsHex(text[i + 1]) && IsHex(text[i + 2])) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

} // namespace

std::optional<Url> Url::WithString(std::string_view text)
{
  if (text.empty()) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsUrlCharacter(text[i])) return std::nullopt;
    if (text[i] == '%' && (i + 2 >= text.size() || !IsHex(text[i + 1]) || !IsHex(text[i + 2])))
      return std::nullopt;
  }
  return Url(std::string(text));
}

std::optional<Url> Url::FileUrlWithPath(std::string_view path)
{
  if (path.empty()) return std::nullopt;
  std::string absolute(path);
  std::error_code error;
  if (absolute.front() != '/') {
    const std::string current = std::filesystem::current_path(error).string();
    absolute = (current == "/" ? "" : current) + "/" + absolute;
  }
  if (absolute.back() != '/' && std::filesystem::is_directory(absolute, error)) absolute += '/';
  std::string text = "file://";
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : absolute) {
    if (IsPathCharacter(c)) {
      text += c;
    } else {
      const auto u = static_cast<unsigned char>(c);
      text += '%';
      text += kHex[u >> 4];
      text += kHex[u & 15];
    }
  }
  return Url(std::move(text));
}

std::string Url::Scheme() const
{
  // scheme = letter *(letter / digit / "+" / "-" / ".") ":"
  std::string scheme;
  for (const char c : mText) {
    if (c == ':') return scheme;
    const auto u = static_cast<unsigned char>(c);
    const bool ok =
        std::isalpha(u) || (!scheme.empty() && (std::isdigit(u) || c == '+' || c == '-' || c == '.'));
    if (!ok) return {};
    scheme += static_cast<char>(std::tolower(u));
  }
  return {};
}

std::string Url::Path() const
{
  if (!IsFileUrl()) return {};
  std::string_view rest = std::string_view(mText).substr(5); // after "file:"
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash); // host dropped
  }
  rest = rest.substr(0, rest.find_first_of("?#"));
  std::string path = PercentDecode(rest);
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

} // namespace plugin::sys
