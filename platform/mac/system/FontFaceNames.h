#pragma once

#include "framework/fonttables/FontBytes.h"

#include <string>

// Family and style of one face, as the font calls report them. Pure; any thread; allocates.
namespace plugin::sys {

struct FontFaceNames
{
  std::string family; // name record 1
  std::string style;  // name record 2
};

// The names of face `index` (ReadFontName of records 1 and 2); empty names when the face or its
// 'name' table is missing.
FontFaceNames ReadFontFaceNames(const fonts::FontBytes& bytes, int index);

} // namespace plugin::sys
