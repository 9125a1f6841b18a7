// The one unit of the whole build that compiles the font rasteriser library.
#include <cstddef>
#include <cstdlib>

namespace plugin::fonts::detail {

void* Allocate(size_t size, void* allocator);
void Release(void* block, void* allocator);

} // namespace plugin::fonts::detail

#define STBTT_malloc(x, u) ::plugin::fonts::detail::Allocate((x), (u))
#define STBTT_free(x, u) ::plugin::fonts::detail::Release((x), (u))
#define STBTT_assert(x) ((void)0)
#define STB_TRUETYPE_IMPLEMENTATION
#include "framework/fonttables/TrueType.h"

namespace plugin::fonts {

namespace detail {

void* Allocate(size_t size, void* allocator)
{
  const auto* a = static_cast<const TrueTypeAllocator*>(allocator);
  if (a == nullptr) return std::malloc(size);
  return a->allocate != nullptr ? a->allocate(size, a->context) : nullptr;
}

void Release(void* block, void* allocator)
{
  const auto* a = static_cast<const TrueTypeAllocator*>(allocator);
  if (a == nullptr)
    std::free(block);
  else if (a->release != nullptr && block != nullptr)
    a->release(block, a->context);
}

} // namespace detail

long TrueTypeFlattenedPoints(const stbtt_fontinfo* info, int glyph, float flatness)
{
  stbtt_vertex* vertices = nullptr;
  const int nverts = stbtt_GetGlyphShape(info, glyph, &vertices);
  if (nverts <= 0) {
    STBTT_free(vertices, info->userdata);
    return -1;
  }
  int* lengths = nullptr;
  int windings = 0;
  stbtt__point* points = stbtt_FlattenCurves(vertices, nverts, flatness, &lengths, &windings, info->userdata);
  long count = -1;
  if (points != nullptr) {
    count = 0;
    for (int i = 0; i < windings; ++i)
      count += lengths[i];
  }
  STBTT_free(points, info->userdata);
  STBTT_free(lengths, info->userdata);
  STBTT_free(vertices, info->userdata);
  return count;
}

size_t TrueTypeEdgeBytes(long points)
{
  return sizeof(stbtt__edge) * (static_cast<size_t>(points) + 1);
}

size_t TrueTypeScanlineBytes(int width)
{
  return width > 64 ? (static_cast<size_t>(width) * 2 + 1) * sizeof(float) : 0;
}

} // namespace plugin::fonts
