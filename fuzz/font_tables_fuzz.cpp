// Feeds arbitrary bytes to the font-table parsing of the platform fonts: the font-data record for
// both style searches, the face check in front of the glyph code, and the face names. Every table
// offset the record reports must lie inside the bytes it holds.
#include "platform/mac/FontData.h"
#include "platform/mac/system/FontFaceNames.h"
#include "platform/mac/system/FontFaceValidation.h"
#include "platform/mac/system/GraphicsFont.h"

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

  const plugin::sys::FontBytes bytes(data, size);
  for (int face = 0; face < 3; ++face) {
    plugin::sys::IsUsableFontFace(bytes, face);
    plugin::sys::ReadFontFaceNames(bytes, face);
  }
  plugin::sys::GraphicsFont::CreateWithDataProvider(provider);
  return 0;
}
