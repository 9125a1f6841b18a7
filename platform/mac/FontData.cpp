#include "platform/mac/FontData.h"

#include "framework/fonttables/FontDirectory.h"
#include "framework/fonttables/FontNames.h"

#include <string>

namespace plugin::ui {

namespace {

using fonts::FontBytes;
using fonts::FontTable;

// Bytes of each table up to and including the last field read from it.
constexpr uint32_t kHeadNeeds = 46; // mac style at 44
constexpr uint32_t kHheaNeeds = 10; // line gap at 8
constexpr uint32_t kNameNeeds = 6;  // record count and string storage offset
constexpr uint16_t kFamilyNameId = 1, kStyleNameId = 2;

// Where one face and its tables lie; a table that is missing, or too short for the fields read
// from it, stays {0, 0}.
struct FaceLayout
{
  bool found = false;
  uint32_t face = 0;
  FontTable head, name, hhea, fdsc;

  bool Usable() const { return found && head.offset && name.offset && hhea.offset; }
};

FontTable TableOf(const FontBytes& bytes, uint32_t face, const char (&tag)[5], uint32_t needs)
{
  FontTable table;
  if (!fonts::FindFontTable(bytes, face, tag, table) || table.length < needs) return FontTable{};
  return table;
}

FaceLayout LayoutOf(const FontBytes& bytes, int faceIndex)
{
  FaceLayout layout;
  // The record knows four single-face signatures; Apple's "true" is not one of them.
  if (fonts::KindAt(bytes, 0) == fonts::SfntKind::kAppleTrueType) return layout;
  if (!fonts::FindFontFace(bytes, faceIndex, layout.face) || !bytes.Contains(layout.face, 1)) return layout;
  layout.found = true;
  layout.head = TableOf(bytes, layout.face, "head", kHeadNeeds);
  layout.name = TableOf(bytes, layout.face, "name", kNameNeeds);
  layout.hhea = TableOf(bytes, layout.face, "hhea", kHheaNeeds);
  layout.fdsc = TableOf(bytes, layout.face, "fdsc", 0);
  return layout;
}

} // namespace

void ParseFontFace(IFontData& data, int faceIndex)
{
  data.mFaceIndex = faceIndex;
  data.mFaceData = nullptr;
  const FontBytes bytes(data.mBytes.Get(), static_cast<size_t>(data.mBytes.GetSize()));
  const FaceLayout layout = LayoutOf(bytes, faceIndex);
  if (!layout.found) return;
  data.mFaceData = bytes.Data() + layout.face;
  data.mHeadOffset = layout.head.offset;
  data.mNameOffset = layout.name.offset;
  data.mHheaOffset = layout.hhea.offset;
  data.mFdscOffset = layout.fdsc.offset;
  if (!layout.Usable()) return;

  // The table lengths were checked by LayoutOf, so these reads succeed.
  bytes.U16(layout.head.offset + 44ull, data.mMacStyle);
  bytes.U16(layout.head.offset + 18ull, data.mUnitsPerEm);
  bytes.I16(layout.hhea.offset + 4ull, data.mAscender);
  bytes.I16(layout.hhea.offset + 6ull, data.mDescender);
  bytes.I16(layout.hhea.offset + 8ull, data.mLineGap);
  data.mFamily.Set(fonts::ReadFontName(bytes, layout.name, kFamilyNameId).c_str());
  data.mStyle.Set(fonts::ReadFontName(bytes, layout.name, kStyleNameId).c_str());
}

int FindFaceWithStyle(const void* bytes, size_t size, const char* style)
{
  if (!style || !*style) return 0;
  const FontBytes view(bytes, size);
  for (int i = 0;; ++i) {
    const FaceLayout layout = LayoutOf(view, i);
    if (!layout.Usable()) return -1;
    const std::string faceStyle = fonts::ReadFontName(view, layout.name, kStyleNameId);
    if (!faceStyle.empty() && faceStyle == style) return i;
  }
}

std::unique_ptr<IFontData> CreateFontData(const sys::FontDataProvider& provider, const char* style)
{
  auto data = std::make_unique<IFontData>();
  if (!provider.CopyData(data->mBytes)) return data;
  ParseFontFace(*data,
                FindFaceWithStyle(data->mBytes.Get(), static_cast<size_t>(data->mBytes.GetSize()), style));
  return data;
}

} // namespace plugin::ui
