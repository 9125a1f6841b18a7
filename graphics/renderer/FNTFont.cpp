#include "graphics/renderer/FNTFont.h"

#include <cstdlib>

void fntFreeFont(FNTfont* font)
{
  if (font == nullptr) return;
  std::free(font->glyphs);
  if (font->freeData) std::free(font->data);
  std::free(font);
}
