#include "framework/fonttables/FontDirectory.h"

#include <cstring>

namespace plugin::fonts {

namespace {

constexpr uint64_t kDirectoryHeaderSize = 12;
constexpr uint64_t kTableRecordSize = 16;
constexpr uint64_t kCollectionOffsets = 12; // the face offsets follow the collection header

// Collection header: its face count when the version is one the format defines, else 0.
int CollectionFaceCount(const FontBytes& bytes) noexcept
{
  uint32_t version = 0, count = 0;
  if (!bytes.HasTag(0, "ttcf") || !bytes.U32(4, version) || !bytes.U32(8, count)) return 0;
  if (version != 0x00010000 && version != 0x00020000) return 0;
  return count > 0x7fffffff ? 0x7fffffff : static_cast<int>(count);
}

} // namespace

SfntKind KindAt(const FontBytes& bytes, uint64_t offset) noexcept
{
  static constexpr uint8_t kTrueType[4] = {0, 1, 0, 0};
  static constexpr uint8_t kTrueType1[4] = {'1', 0, 0, 0};
  if (!bytes.Contains(offset, 4)) return SfntKind::kNone;
  const uint8_t* p = bytes.Data() + offset;
  if (std::memcmp(p, kTrueType, 4) == 0 || std::memcmp(p, kTrueType1, 4) == 0) return SfntKind::kTrueType;
  if (bytes.HasTag(offset, "OTTO")) return SfntKind::kOpenTypeCff;
  if (bytes.HasTag(offset, "typ1")) return SfntKind::kType1;
  if (bytes.HasTag(offset, "true")) return SfntKind::kAppleTrueType;
  if (bytes.HasTag(offset, "ttcf")) return SfntKind::kCollection;
  return SfntKind::kNone;
}

int CountFontFaces(const FontBytes& bytes) noexcept
{
  if (IsSingleFace(KindAt(bytes, 0))) return 1;
  return CollectionFaceCount(bytes);
}

bool FindFontFace(const FontBytes& bytes, int index, uint32_t& faceOffset) noexcept
{
  if (index < 0) return false;
  if (IsSingleFace(KindAt(bytes, 0))) {
    if (index != 0) return false;
    faceOffset = 0;
    return true;
  }
  if (index >= CollectionFaceCount(bytes)) return false;
  return bytes.U32(kCollectionOffsets + 4ull * static_cast<uint32_t>(index), faceOffset);
}

int CountFontTables(const FontBytes& bytes, uint32_t faceOffset) noexcept
{
  uint16_t count = 0;
  if (!bytes.U16(faceOffset + 4ull, count)) return 0;
  if (!bytes.Contains(faceOffset + kDirectoryHeaderSize, count * kTableRecordSize)) return 0;
  return count;
}

bool FontTableAt(const FontBytes& bytes, uint32_t faceOffset, int i, char (&tag)[5],
                 FontTable& table) noexcept
{
  if (i < 0 || i >= CountFontTables(bytes, faceOffset)) return false;
  const uint64_t record = faceOffset + kDirectoryHeaderSize + kTableRecordSize * static_cast<uint64_t>(i);
  FontTable t;
  if (!bytes.U32(record + 8, t.offset) || !bytes.U32(record + 12, t.length)) return false;
  std::memcpy(tag, bytes.Data() + record, 4);
  tag[4] = 0;
  table = t;
  return true;
}

bool FindFontTableRecord(const FontBytes& bytes, uint32_t faceOffset, const char (&tag)[5],
                         FontTable& table) noexcept
{
  const int count = CountFontTables(bytes, faceOffset);
  for (int i = 0; i < count; ++i) {
    char recordTag[5];
    FontTable t;
    if (FontTableAt(bytes, faceOffset, i, recordTag, t) && std::memcmp(recordTag, tag, 4) == 0) {
      table = t;
      return true;
    }
  }
  return false;
}

bool FindFontTable(const FontBytes& bytes, uint32_t faceOffset, const char (&tag)[5],
                   FontTable& table) noexcept
{
  FontTable t;
  if (!FindFontTableRecord(bytes, faceOffset, tag, t) || !bytes.Contains(t.offset, t.length)) return false;
  table = t;
  return true;
}

} // namespace plugin::fonts
