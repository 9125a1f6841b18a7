#include "graphics/renderer/FNTFonts.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/renderer/FNTFont.h"
#include "graphics/renderer/FNTStbTrueType.h"

namespace {

// A new, empty font record appended to the context; null when out of memory.
FNTfont* AllocFont(FNTcontext* ctx)
{
  if (ctx->nfonts + 1 > ctx->cfonts) {
    const int cfonts = ctx->cfonts == 0 ? 8 : ctx->cfonts * 2;
    void* fonts = std::realloc(ctx->fonts, sizeof(FNTfont*) * (size_t)cfonts);
    if (fonts == nullptr) return nullptr;
    ctx->fonts = static_cast<FNTfont**>(fonts);
    ctx->cfonts = cfonts;
  }
  FNTfont* font = static_cast<FNTfont*>(std::calloc(1, sizeof(FNTfont)));
  if (font == nullptr) return nullptr;
  font->glyphs = static_cast<FNTglyph*>(std::malloc(sizeof(FNTglyph) * FNT_INIT_GLYPHS));
  if (font->glyphs == nullptr) {
    std::free(font);
    return nullptr;
  }
  font->cglyphs = FNT_INIT_GLYPHS;
  font->nglyphs = 0;
  ctx->fonts[ctx->nfonts++] = font;
  return font;
}

} // namespace

int fntAddFont(FNTcontext* ctx, const char* name, const char* path, int fontIndex)
{
  if (ctx == nullptr || path == nullptr) return FNT_INVALID;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return FNT_INVALID;
  unsigned char* data = nullptr;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size > 0 && size <= INT_MAX && std::fseek(file, 0, SEEK_SET) == 0)
    data = static_cast<unsigned char*>(std::malloc((size_t)size));
  const bool complete = data != nullptr && std::fread(data, 1, (size_t)size, file) == (size_t)size;
  std::fclose(file);
  if (!complete) {
    std::free(data);
    return FNT_INVALID;
  }
  return fntAddFontMem(ctx, name, data, (int)size, fontIndex, 1);
}

int fntAddFontMem(FNTcontext* ctx, const char* name, unsigned char* data, int dataSize, int fontIndex,
                  int freeData)
{
  FNTfont* font = (ctx != nullptr && data != nullptr && dataSize > 0) ? AllocFont(ctx) : nullptr;
  if (font == nullptr) {
    if (freeData) std::free(data);
    return FNT_INVALID;
  }
  const int idx = ctx->nfonts - 1;
  std::strncpy(font->name, name != nullptr ? name : "", FNT_MAX_NAME - 1);
  font->name[FNT_MAX_NAME - 1] = '\0';
  for (int& head : font->lut)
    head = -1;
  font->data = data;
  font->dataSize = dataSize;
  font->freeData = (unsigned char)(freeData != 0);
  ctx->nscratch = 0;

  // Only data whose tables all lie inside it reaches the rasteriser.
  const int offset = fntCheckFontData(data, dataSize, fontIndex, &font->tables);
  if (offset < 0 || fntStbFontOffset(data, fontIndex) != offset ||
      !fntStbInitFont(&font->font, &font->scratch, data, offset, ctx)) {
    fntFreeFont(font);
    ctx->nfonts--;
    return FNT_INVALID;
  }
  const float height = (float)(font->tables.ascent - font->tables.descent);
  font->ascender = (float)font->tables.ascent / height;
  font->descender = (float)font->tables.descent / height;
  font->lineh = (height + (float)font->tables.lineGap) / height;
  return idx;
}

int fntGetFontByName(FNTcontext* ctx, const char* name)
{
  if (ctx == nullptr || name == nullptr) return FNT_INVALID;
  for (int i = 0; i < ctx->nfonts; ++i)
    if (std::strcmp(ctx->fonts[i]->name, name) == 0) return i;
  return FNT_INVALID;
}

int fntAddFallbackFont(FNTcontext* ctx, int base, int fallback)
{
  if (ctx == nullptr || base < 0 || base >= ctx->nfonts || fallback < 0 || fallback >= ctx->nfonts) return 0;
  FNTfont* font = ctx->fonts[base];
  if (font->nfallbacks >= FNT_MAX_FALLBACKS) return 0;
  font->fallbacks[font->nfallbacks++] = fallback;
  return 1;
}
