#include "platform/mac/system/TextEncoding.h"

#include <climits>

namespace plugin::sys {

namespace {

constexpr char32_t kReplacement = 0xfffd;

bool IsContinuation(unsigned char byte) noexcept
{
  return (byte & 0xc0) == 0x80;
}

// Decodes one code point at text[i], advancing i past it (one byte for a malformed start).
char32_t DecodeUtf8(std::string_view text, std::size_t& i) noexcept
{
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0, minimum = 0;
  if ((lead & 0xe0) == 0xc0) {
    extra = 1, cp = lead & 0x1f, minimum = 0x80;
  } else if ((lead & 0xf0) == 0xe0) {
    extra = 2, cp = lead & 0x0f, minimum = 0x800;
  } else if ((lead & 0xf8) == 0xf0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacement; // continuation byte or an invalid lead
  }
  for (int k = 0; k < extra; ++k) {
    // A sequence cut short consumes only its valid part; the next byte starts afresh.
    if (i >= text.size() || !IsContinuation(static_cast<unsigned char>(text[i]))) return kReplacement;
    cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3f);
  }
  if (cp < minimum || cp > 0x10ffff || (cp >= 0xd800 && cp < 0xe000)) return kReplacement;
  return cp;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xc0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xe0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
    out += static_cast<char>(0x80 | (cp & 0x3f));
  }
}

std::u16string Utf16FromUtf8(std::string_view utf8)
{
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = DecodeUtf8(utf8, i);
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      out += static_cast<char16_t>(0xd800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xdc00 + ((cp - 0x10000) & 0x3ff));
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16)
{
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (unit >= 0xd800 && unit < 0xdc00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xdc00 &&
        utf16[i + 1] < 0xe000) {
      AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xd800) << 10) + (char32_t(utf16[i + 1]) - 0xdc00));
      ++i;
    } else if (unit >= 0xd800 && unit < 0xe000) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

int Utf16IntValue(std::u16string_view text) noexcept
{
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) break; // saturated either way
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

} // namespace plugin::sys
