#include "platform/mac/system/FontFaceNames.h"

namespace plugin::sys {

FontFaceNames ReadFontFaceNames(const FontBytes& bytes, int index)
{
  constexpr uint16_t kFamilyNameId = 1, kStyleNameId = 2;
  FontFaceNames names;
  uint32_t face = 0;
  FontTable name;
  if (!FindFontFace(bytes, index, face) || !FindFontTable(bytes, face, "name", name)) return names;
  names.family = ReadFontName(bytes, name, kFamilyNameId);
  names.style = ReadFontName(bytes, name, kStyleNameId);
  return names;
}

} // namespace plugin::sys
