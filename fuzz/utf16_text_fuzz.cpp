// Feeds arbitrary bytes, as the clipboard or a key may hand them to the text field, to the UTF-8
// and UTF-16 conversions: decoding gives no lone surrogate, so the UTF-16 text survives a round
// trip through UTF-8 unchanged; any UTF-16 text (lone surrogates included) encodes to UTF-8 that
// decodes without a replacement it did not need; a key's character is -1 or a value up to U+10FFFF.
#include "graphics/controls/Utf16Text.h"

#include <cstdlib>
#include <cstring>
#include <string>

using namespace plugin::ui;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  std::string bytes(reinterpret_cast<const char*>(data), size);
  bytes.erase(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
  const std::u16string text = Utf8ToUtf16(bytes.c_str());
  if (Utf8ToUtf16(Utf16ToUtf8(text).c_str()) != text) std::abort();

  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * sizeof(char16_t)); // the bytes may be unaligned
  const std::u16string again = Utf8ToUtf16(Utf16ToUtf8(units).c_str());
  if (again.size() > units.size()) std::abort(); // pairs stay pairs, anything else one unit

  const int c = DecodeKeyCharacter(bytes.substr(0, 4).c_str());
  if (c < -1 || c > 0x10FFFF) std::abort();
  return 0;
}
