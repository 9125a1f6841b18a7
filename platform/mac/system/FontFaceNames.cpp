#include "platform/mac/system/FontFaceNames.h"

#include "framework/fonttables/FontNames.h"

namespace plugin::sys {

FontFaceNames ReadFontFaceNames(const fonts::FontBytes& bytes, int index)
{
  constexpr uint16_t kFamilyNameId = 1, kStyleNameId = 2;
  FontFaceNames names;
  uint32_t face = 0;
  fonts::FontTable name;
  if (!fonts::FindFontFace(bytes, index, face) || !fonts::FindFontTable(bytes, face, "name", name))
    return names;
  names.family = fonts::ReadFontName(bytes, name, kFamilyNameId);
  names.style = fonts::ReadFontName(bytes, name, kStyleNameId);
  return names;
}

} // namespace plugin::sys
