#pragma once

#include "framework/fonttables/FontBytes.h"

// Whether a face of a font file can be drawn: the check the platform's font calls make before
// they hand out a font. Pure; any thread; no allocation.
namespace plugin::sys {

// True when face `index` of bytes has TrueType outlines, every table of its directory lies inside
// the data, the tables the glyph code reads ('cmap', 'head', 'hhea', 'hmtx', 'glyf', 'loca',
// optional 'maxp') are long enough for the fields it reads, and the font rasteriser accepts the
// face. Faces with CFF outlines are refused, and so are files that start with "true", in which
// the font-data record finds no face.
bool IsUsableFontFace(const fonts::FontBytes& bytes, int index) noexcept;

} // namespace plugin::sys
