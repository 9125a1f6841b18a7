#include "framework/text/UnicodeCodec.h"

namespace plugin::text {

namespace {

// A lead byte's sequence length and the range its second byte must fall in (the table of
// well-formed byte sequences); length 0 for a byte that starts none.
struct LeadRule
{
  std::size_t length;
  unsigned char secondMin;
  unsigned char secondMax;
};

constexpr LeadRule RuleFor(unsigned char lead) noexcept
{
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF}; // no overlong forms
  if (lead == 0xED) return {3, 0x80, 0x9F}; // no surrogates
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF}; // no overlong forms
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F}; // nothing above U+10FFFF
  return {0, 0, 0};
}

constexpr bool IsContinuation(unsigned char c) noexcept
{
  return (c & 0xC0) == 0x80;
}

} // namespace

Decoded DecodeUtf8(std::string_view text, std::size_t at) noexcept
{
  if (at >= text.size()) return {};
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {lead, 1, true};
  const LeadRule rule = RuleFor(lead);
  if (rule.length == 0) return {kReplacementCharacter, 1, false};
  static constexpr unsigned char kLeadBits[5] = {0, 0, 0x1F, 0x0F, 0x07};
  char32_t cp = lead & kLeadBits[rule.length];
  // Take bytes while they still fit a well-formed sequence; the first that does not starts the
  // next character.
  std::size_t taken = 1;
  while (taken < rule.length && at + taken < text.size()) {
    const auto c = static_cast<unsigned char>(text[at + taken]);
    const bool fits = taken == 1 ? (c >= rule.secondMin && c <= rule.secondMax) : IsContinuation(c);
    if (!fits) break;
    cp = (cp << 6) | (c & 0x3F);
    ++taken;
  }
  if (taken == rule.length) return {cp, taken, true};
  return {kReplacementCharacter, taken, false};
}

Decoded DecodeUtf16(std::u16string_view text, std::size_t at) noexcept
{
  if (at >= text.size()) return {};
  const char32_t unit = text[at];
  if (!IsSurrogate(unit)) return {unit, 1, true};
  if (unit <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF)
    return {0x10000 + ((unit - 0xD800) << 10) + (char32_t(text[at + 1]) - 0xDC00), 2, true};
  return {kReplacementCharacter, 1, false};
}

int EncodeUtf8(char32_t cp, char out[4]) noexcept
{
  if (cp > kLastCodePoint) cp = kReplacementCharacter;
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (cp >> 18));
  out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

int EncodeUtf16(char32_t cp, char16_t out[2]) noexcept
{
  if (cp > kLastCodePoint) cp = kReplacementCharacter;
  if (cp < 0x10000) {
    out[0] = static_cast<char16_t>(cp);
    return 1;
  }
  cp -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  return 2;
}

void AppendUtf8(std::string& out, char32_t cp)
{
  char bytes[4];
  out.append(bytes, static_cast<std::size_t>(EncodeUtf8(cp, bytes)));
}

std::u16string Utf8ToUtf16(std::string_view text)
{
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeUtf8(text, i);
    char16_t units[2];
    out.append(units, static_cast<std::size_t>(EncodeUtf16(d.codePoint, units)));
    i += d.length;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeUtf16(text, i);
    AppendUtf8(out, d.codePoint);
    i += d.length;
  }
  return out;
}

std::string ValidUtf8(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeUtf8(text, i);
    if (d.wellFormed)
      out.append(text.substr(i, d.length));
    else
      AppendUtf8(out, kReplacementCharacter);
    i += d.length;
  }
  return out;
}

int Utf8ToUtf16(std::string_view src, char16_t* dst, int capacity) noexcept
{
  if (!dst || capacity <= 0) return 0;
  int written = 0;
  for (std::size_t i = 0; i < src.size();) {
    const Decoded d = DecodeUtf8(src, i);
    char16_t units[2];
    const int n = EncodeUtf16(d.codePoint, units);
    if (written + n > capacity - 1) break; // room for the terminator, never half a pair
    for (int k = 0; k < n; ++k)
      dst[written++] = units[k];
    i += d.length;
  }
  dst[written] = 0;
  return written;
}

int Utf16ToUtf8(std::u16string_view src, char* dst, int capacity) noexcept
{
  if (!dst || capacity <= 0) return 0;
  int written = 0;
  for (std::size_t i = 0; i < src.size();) {
    const Decoded d = DecodeUtf16(src, i);
    char bytes[4];
    const int n = EncodeUtf8(d.codePoint, bytes);
    if (written + n > capacity - 1) break;
    for (int k = 0; k < n; ++k)
      dst[written++] = bytes[k];
    i += d.length;
  }
  dst[written] = 0;
  return written;
}

std::u16string_view Utf16View(const char16_t* text, int capacity) noexcept
{
  if (!text || capacity <= 0) return {};
  std::size_t n = 0;
  while (n < static_cast<std::size_t>(capacity) && text[n] != 0)
    ++n;
  return {text, n};
}

} // namespace plugin::text
