#include "vst3/layer/Utf16Convert.h"

namespace plugin::layer {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c)
{
  return c >= 0xD800 && c <= 0xDFFF;
}

// Decodes one code point from UTF-8 at src[i], advancing i past it (one byte on error).
char32_t DecodeUtf8(std::string_view src, size_t& i)
{
  const auto b0 = static_cast<unsigned char>(src[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
    minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
    minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
    minimum = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + extra >= src.size()) {
    // The sequence runs past the end of the text.
    ++i;
    return kReplacement;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(src[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || IsSurrogate(cp)) {
    ++i;
    return kReplacement;
  }
  i += extra + 1;
  return cp;
}

// Decodes one code point from UTF-16 at src[i], advancing i past it.
char32_t DecodeUtf16(std::u16string_view src, size_t& i)
{
  const char32_t u = src[i++];
  if (u < 0xD800 || u > 0xDFFF) return u;
  if (u <= 0xDBFF && i < src.size() && src[i] >= 0xDC00 && src[i] <= 0xDFFF) {
    const char32_t lo = src[i++];
    return 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
  }
  return kReplacement;
}

int Utf8Length(char32_t cp)
{
  return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

int EncodeUtf8(char32_t cp, char* out)
{
  const int n = Utf8Length(cp);
  if (n == 1) {
    out[0] = static_cast<char>(cp);
  } else if (n == 2) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (n == 3) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return n;
}

int EncodeUtf16(char32_t cp, char16_t* out)
{
  if (cp < 0x10000) {
    out[0] = static_cast<char16_t>(cp);
    return 1;
  }
  cp -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  return 2;
}

} // namespace

int Utf8ToUtf16(std::string_view src, char16_t* dst, int capacity) noexcept
{
  if (!dst || capacity <= 0) return 0;
  int written = 0;
  size_t i = 0;
  while (i < src.size()) {
    char16_t units[2];
    const int n = EncodeUtf16(DecodeUtf8(src, i), units);
    if (written + n > capacity - 1) break; // keep room for the terminator, never split a pair
    for (int k = 0; k < n; ++k)
      dst[written++] = units[k];
  }
  dst[written] = 0;
  return written;
}

int Utf16ToUtf8(std::u16string_view src, char* dst, int capacity) noexcept
{
  if (!dst || capacity <= 0) return 0;
  int written = 0;
  size_t i = 0;
  while (i < src.size()) {
    char bytes[4];
    const int n = EncodeUtf8(DecodeUtf16(src, i), bytes);
    if (written + n > capacity - 1) break;
    for (int k = 0; k < n; ++k)
      dst[written++] = bytes[k];
  }
  dst[written] = 0;
  return written;
}

std::u16string Utf8ToUtf16(std::string_view src)
{
  std::u16string out;
  out.reserve(src.size());
  size_t i = 0;
  while (i < src.size()) {
    char16_t units[2];
    const int n = EncodeUtf16(DecodeUtf8(src, i), units);
    out.append(units, static_cast<size_t>(n));
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view src)
{
  std::string out;
  out.reserve(src.size());
  size_t i = 0;
  while (i < src.size()) {
    char bytes[4];
    const int n = EncodeUtf8(DecodeUtf16(src, i), bytes);
    out.append(bytes, static_cast<size_t>(n));
  }
  return out;
}

std::u16string_view Utf16View(const char16_t* text, int capacity) noexcept
{
  if (!text || capacity <= 0) return {};
  size_t n = 0;
  while (n < static_cast<size_t>(capacity) && text[n] != 0)
    ++n;
  return {text, n};
}

} // namespace plugin::layer
