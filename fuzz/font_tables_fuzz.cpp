// Feeds arbitrary bytes to both users of the font-table reader: the platform fonts (the font-data
// record for both style searches, the face check in front of the glyph code, the face names) and
// the glyph atlas's check of a face and its glyph outlines. Every table offset the record reports
// must lie inside the bytes it holds, and so must every table the atlas accepts.
#include "graphics/renderer/FNTFontTables.h"
#include "platform/mac/FontData.h"
#include "platform/mac/system/FontFaceNames.h"
#include "platform/mac/system/FontFaceValidation.h"
#include "platform/mac/system/GraphicsFont.h"

#include <algorithm>
#include <cstdlib>

namespace {

void CheckInside(const plugin::ui::IFontData& data)
{
  const uint64_t size = static_cast<uint64_t>(data.GetSize());
  for (uint32_t offset : {data.mHeadOffset, data.mNameOffset, data.mHheaOffset, data.mFdscOffset})
    if (offset > size) std::abort(); // a zero-length table may sit at the very end
  if (data.mFaceData && (data.mFaceData < data.GetBytes() || data.mFaceData >= data.GetBytes() + size))
    std::abort();
  if (data.IsValid() && data.mFaceIndex < 0) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const uint8_t kNothing = 0;
  const auto provider =
      plugin::sys::FontDataProvider::CreateWithData(nullptr, size ? data : &kNothing, size, nullptr);
  for (const char* style : {"", "Bold"})
    CheckInside(*plugin::ui::CreateFontData(*provider, style));

  const plugin::fonts::FontBytes bytes(data, size);
  for (int face = 0; face < 3; ++face) {
    plugin::sys::IsUsableFontFace(bytes, face);
    plugin::sys::ReadFontFaceNames(bytes, face);
  }
  plugin::sys::GraphicsFont::CreateWithDataProvider(provider);

  if (size > 0 && size <= 0x7fffffff) {
    static unsigned char work[65536];
    for (int face = 0; face < 2; ++face) {
      FNTfontTables tables;
      if (fntCheckFontData(data, int(size), face, &tables) < 0) continue;
      for (const FNTtable& t : {tables.cmap, tables.head, tables.hhea, tables.hmtx, tables.maxp, tables.loca,
                                tables.glyf, tables.kern})
        if (uint64_t(t.offset) + t.length > size) std::abort();
      for (int glyph = 0; glyph < std::min(tables.numGlyphs, 16); ++glyph)
        if (fntCheckGlyph(data, tables, glyph, work)) fntGlyphAdvance(data, tables, glyph);
      fntKernAdvance(data, tables, 1, 2);
    }
  }
  return 0;
}
