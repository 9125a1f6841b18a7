#pragma once

#include "framework/buffers/HeapBuf.h"
#include "framework/buffers/StringBuf.h"

#include <cstdint>

namespace plugin::ui {

// One face of a font file, handed from a platform font to the renderer's font loading: a copy of
// the whole file, the face's index in it, and what the face's tables say. The platform layer
// fills it (and owns the parsing); whoever receives it owns it. Not copyable: the face pointer
// points into the record's own bytes. Main thread.
struct IFontData
{
  IFontData() = default;
  IFontData(const IFontData&) = delete;
  IFontData& operator=(const IFontData&) = delete;

  // Start of the selected face inside mBytes; null when the bytes are no font or the face does
  // not exist.
  const uint8_t* mFaceData = nullptr;
  // Offsets of these tables in the file (0 when missing).
  uint32_t mHeadOffset = 0;
  uint32_t mNameOffset = 0;
  uint32_t mHheaOffset = 0;
  uint32_t mFdscOffset = 0;
  // Name records 1 (family) and 2 (subfamily).
  StringBuf mFamily;
  StringBuf mStyle;
  // From 'head': mac style (byte 44) and units per em (byte 18).
  uint16_t mMacStyle = 0;
  uint16_t mUnitsPerEm = 0;
  // From 'hhea': bytes 4, 6 and 8.
  int16_t mAscender = 0;
  int16_t mDescender = 0;
  int16_t mLineGap = 0;
  // The whole font file.
  HeapBuf mBytes{4096};
  // Index of the face in a collection (0 for a single face, -1 when no face has the wanted style).
  int mFaceIndex = 0;

  // The renderer takes only a record with bytes, a face and its head, name and hhea tables.
  bool IsValid() const noexcept
  {
    return mBytes.GetSize() > 0 && mFaceIndex >= 0 && mFaceData && mHeadOffset && mNameOffset && mHheaOffset;
  }
  const uint8_t* GetBytes() const noexcept { return static_cast<const uint8_t*>(mBytes.Get()); }
  int GetSize() const noexcept { return mBytes.GetSize(); }
};

} // namespace plugin::ui
