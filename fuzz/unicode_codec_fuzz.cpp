// Feeds arbitrary bytes, as the clipboard, a file, a host or a key may hand them over, to the one
// UTF-8 / UTF-16 codec: decoding yields no lone surrogate, so the UTF-16 text survives a round trip
// through UTF-8 unchanged and cleaned UTF-8 is a fixed point; any UTF-16 text (lone surrogates
// included) encodes to UTF-8 that decodes to no more units; the fixed-buffer forms stay inside
// their buffers; a key's character is -1 or a value up to U+10FFFF.
#include "framework/text/UnicodeCodec.h"
#include "graphics/attached/KeyCharacter.h"

#include <cstdlib>
#include <cstring>
#include <string>

using namespace plugin::text;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string text = Utf8ToUtf16(bytes);
  if (Utf8ToUtf16(Utf16ToUtf8(text)) != text) std::abort();
  const std::string clean = ValidUtf8(bytes);
  if (ValidUtf8(clean) != clean || Utf16ToUtf8(text) != clean) std::abort();

  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * sizeof(char16_t)); // the bytes may be unaligned
  const std::u16string again = Utf8ToUtf16(Utf16ToUtf8(units));
  if (again.size() > units.size()) std::abort(); // pairs stay pairs, anything else one unit

  char16_t wide[9];
  const int n16 = Utf8ToUtf16(bytes, wide, 9);
  if (n16 < 0 || n16 > 8 || wide[n16] != 0 ||
      std::u16string_view(wide, n16) != std::u16string_view(text).substr(0, n16))
    std::abort();
  char narrow[7];
  const int n8 = Utf16ToUtf8(units, narrow, 7);
  if (n8 < 0 || n8 > 6 || narrow[n8] != 0) std::abort();

  const std::string key = bytes.substr(0, 4);
  const int c = plugin::ui::DecodeKeyCharacter(key.c_str());
  if (c < -1 || c > 0x10FFFF) std::abort();
  return 0;
}
