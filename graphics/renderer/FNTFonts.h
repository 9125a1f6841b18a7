#pragma once

#include "graphics/renderer/FNTTypes.h"

// Fonts of an atlas context: loading from files and memory, lookup by name, fallbacks.

// Adds the face fontIndex of a font file under name; the index of the new font, or -1.
int fntAddFont(FNTcontext* ctx, const char* name, const char* path, int fontIndex);
// Adds the face fontIndex of font data (dataSize bytes) under name, after checking that the data
// holds every table the atlas reads. With freeData the atlas owns data (and frees it also when
// the font is refused); without it, data must outlive the context. The new index, or -1.
int fntAddFontMem(FNTcontext* ctx, const char* name, unsigned char* data, int dataSize, int fontIndex,
                  int freeData);
// The first font of that name, or -1.
int fntGetFontByName(FNTcontext* ctx, const char* name);
// Appends fallback to base's fallback list: 1, or 0 when either index is unknown or the list is full.
int fntAddFallbackFont(FNTcontext* ctx, int base, int fallback);
