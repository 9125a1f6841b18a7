#include "platform/mac/system/FontFaceValidation.h"

#include "framework/fonttables/FontDirectory.h"
#include "framework/fonttables/TrueType.h"

namespace plugin::sys {

namespace {

using fonts::FontBytes;
using fonts::FontTable;

constexpr uint32_t kHeadFieldsEnd = 54; // index-to-loc format at 50, glyph data format at 52
constexpr uint32_t kHheaFieldsEnd = 36; // number of horizontal metrics at 34
constexpr uint32_t kMaxpFieldsEnd = 6;  // number of glyphs at 4

bool EveryTableInside(const FontBytes& bytes, uint32_t faceOffset) noexcept
{
  const int count = fonts::CountFontTables(bytes, faceOffset);
  for (int i = 0; i < count; ++i) {
    char tag[5];
    FontTable t;
    if (!fonts::FontTableAt(bytes, faceOffset, i, tag, t) || !bytes.Contains(t.offset, t.length))
      return false;
  }
  return count > 0;
}

bool HasTable(const FontBytes& bytes, uint32_t faceOffset, const char (&tag)[5], uint32_t minLength) noexcept
{
  FontTable t;
  return fonts::FindFontTable(bytes, faceOffset, tag, t) && t.length >= minLength;
}

// The encoding records fit in 'cmap' and each points at a subtable whose format field is inside it.
bool CmapInside(const FontBytes& bytes, uint32_t faceOffset) noexcept
{
  FontTable cmap;
  uint16_t count = 0;
  if (!fonts::FindFontTable(bytes, faceOffset, "cmap", cmap) || !bytes.U16(cmap.offset + 2ull, count))
    return false;
  if (cmap.length < 4 + 8ull * count) return false;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t subtable = 0;
    if (!bytes.U32(cmap.offset + 4ull + 8ull * i + 4, subtable) || uint64_t{subtable} + 2 > cmap.length)
      return false;
  }
  return true;
}

} // namespace

bool IsUsableFontFace(const FontBytes& bytes, int index) noexcept
{
  if (fonts::KindAt(bytes, 0) == fonts::SfntKind::kAppleTrueType) return false;
  uint32_t face = 0;
  if (!fonts::FindFontFace(bytes, index, face) || face > 0x7fffffff || !EveryTableInside(bytes, face))
    return false;
  FontTable maxp;
  if (fonts::FindFontTable(bytes, face, "maxp", maxp) && maxp.length < kMaxpFieldsEnd) return false;
  if (!HasTable(bytes, face, "head", kHeadFieldsEnd) || !HasTable(bytes, face, "hhea", kHheaFieldsEnd) ||
      !HasTable(bytes, face, "hmtx", 0) || !HasTable(bytes, face, "glyf", 0) ||
      !HasTable(bytes, face, "loca", 0) || !CmapInside(bytes, face))
    return false;
  stbtt_fontinfo info{}; // null user data: the rasteriser's heap, which parsing does not touch
  return stbtt_InitFont(&info, bytes.Data(), static_cast<int>(face)) != 0;
}

} // namespace plugin::sys
