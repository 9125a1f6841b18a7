#include "graphics/controls/Utf16Text.h"

#include <cstring>

namespace plugin::ui {

namespace {

bool IsSurrogate(char32_t c)
{
  return c >= 0xD800 && c <= 0xDFFF;
}

// Length of the sequence a lead byte announces (0: not a lead byte).
int SequenceLength(unsigned char lead)
{
  if (lead < 0x80) return 1;
  if (lead < 0xC0) return 0; // continuation byte
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  if (lead < 0xFC) return 5;
  if (lead < 0xFE) return 6;
  return 0;
}

// One well-formed sequence of at most four bytes from s (avail bytes readable): its length, or 0
// when it is malformed (truncated, overlong, a surrogate or past U+10FFFF).
int DecodeOne(const unsigned char* s, size_t avail, char32_t& cp)
{
  const int len = SequenceLength(s[0]);
  if (len == 0 || len > 4 || static_cast<size_t>(len) > avail) return 0;
  if (len == 1) {
    cp = s[0];
    return 1;
  }
  static constexpr unsigned char kLeadMask[5] = {0, 0, 0x1F, 0x0F, 0x07};
  static constexpr char32_t kMinValue[5] = {0, 0, 0x80, 0x800, 0x10000};
  char32_t c = s[0] & kLeadMask[len];
  for (int i = 1; i < len; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    c = (c << 6) | (s[i] & 0x3F);
  }
  if (c < kMinValue[len] || c > 0x10FFFF || IsSurrogate(c)) return 0;
  cp = c;
  return len;
}

void AppendUtf8(std::string& out, char32_t c)
{
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

} // namespace

std::u16string Utf8ToUtf16(const char* utf8)
{
  std::u16string out;
  if (!utf8) return out;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  const size_t n = std::strlen(utf8);
  out.reserve(n);
  for (size_t i = 0; i < n;) {
    char32_t c = kReplacementChar;
    const int len = DecodeOne(s + i, n - i, c);
    i += len > 0 ? static_cast<size_t>(len) : 1;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string Utf16ToUtf8(const char16_t* text, size_t n)
{
  std::string out;
  if (!text) return out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const char32_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, IsSurrogate(u) ? kReplacementChar : u);
    }
  }
  return out;
}

int DecodeKeyCharacter(const char* utf8)
{
  if (!utf8 || !utf8[0]) return -1;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  if (SequenceLength(s[0]) > 4) return '_';
  char32_t c = 0;
  if (DecodeOne(s, std::strlen(utf8), c) == 0) return s[0];
  return static_cast<int>(c);
}

} // namespace plugin::ui
