#include "framework/buffers/Base64.h"

#include <string>

namespace plugin {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Six-bit value of a base64 character, or -1 outside the alphabet.
int SextetOf(char c) noexcept
{
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

} // namespace

int DecodeBase64(const char* text, uint8_t* out, int maxBytes) noexcept
{
  if (!text || !out || maxBytes < 1) return 0;
  int written = 0;
  uint32_t bits = 0;
  int nBits = 0;
  for (const char* c = text; written < maxBytes; ++c) {
    const int sextet = SextetOf(*c);
    if (sextet < 0) break;
    bits = ((bits << 6) | static_cast<uint32_t>(sextet)) & 0xffffff;
    nBits += 6;
    if (nBits >= 8) {
      nBits -= 8;
      out[written++] = static_cast<uint8_t>(bits >> nBits);
    }
  }
  return written;
}

void AppendBase64(const uint8_t* data, int size, StringBuf& out)
{
  if (!data || size < 1) return;
  std::string text;
  text.reserve(static_cast<size_t>(size + 2) / 3 * 4);
  char quad[5] = {};
  for (int i = 0; i < size; i += 3) {
    const int n = size - i < 3 ? size - i : 3;
    uint32_t group = static_cast<uint32_t>(data[i]) << 16;
    if (n > 1) group |= static_cast<uint32_t>(data[i + 1]) << 8;
    if (n > 2) group |= data[i + 2];
    quad[0] = kAlphabet[(group >> 18) & 63];
    quad[1] = kAlphabet[(group >> 12) & 63];
    quad[2] = n > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    quad[3] = n > 2 ? kAlphabet[group & 63] : '=';
    text += quad;
  }
  out.Append(text.c_str());
}

} // namespace plugin
