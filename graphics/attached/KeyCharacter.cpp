#include "graphics/attached/KeyCharacter.h"

#include "framework/text/UnicodeCodec.h"

namespace plugin::ui {

int DecodeKeyCharacter(const char* utf8)
{
  if (!utf8 || !utf8[0]) return -1;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead >= 0xF8 && lead <= 0xFD) return '_'; // the old five- and six-byte forms
  const text::Decoded d = text::DecodeUtf8(utf8, 0);
  return d.wellFormed ? static_cast<int>(d.codePoint) : lead;
}

} // namespace plugin::ui
