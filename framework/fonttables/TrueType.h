#pragma once

#include <stb_truetype.h>

#include <cstddef>

// The font rasteriser library, compiled in TrueType.cpp and nowhere else; its users include
// this header for its declarations and link this library. Its internal assertions are off (a
// font that fails one draws nothing rather than stopping the host). Any thread, one font info
// per thread at a time.
namespace plugin::fonts {

// Where the rasteriser's memory comes from: a font info whose user data points at one of these
// allocates through it; a null user data uses the C heap. allocate may return null (the
// rasteriser then gives up on the glyph); release may be null (blocks are reclaimed by their
// owner, e.g. a scratch buffer reset per glyph).
struct TrueTypeAllocator
{
  void* (*allocate)(size_t size, void* context);
  void (*release)(void* block, void* context);
  void* context;
};

// Flattens glyph's outline exactly as rendering at that flatness will, allocating through the
// font's allocator as rendering will, then releases what it took. Returns the number of points,
// or -1 when the glyph has no outline or an allocation failed.
long TrueTypeFlattenedPoints(const stbtt_fontinfo* info, int glyph, float flatness);

// Bytes the rasteriser allocates, on top of the outline and its flattening, to render that many
// flattened points into a bitmap `width` pixels wide: its edge list, and its scanline buffer
// when the bitmap is wider than its stack buffer.
size_t TrueTypeEdgeBytes(long points);
size_t TrueTypeScanlineBytes(int width);

} // namespace plugin::fonts
