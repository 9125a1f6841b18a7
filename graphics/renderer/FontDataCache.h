#pragma once

#include "graphics/resources/IFontData.h"
#include "graphics/resources/StaticStorage.h"

namespace plugin::ui {

// The process-wide cache of font data, keyed by font id at scale 1.0, shared by every drawing
// backend of the process: the vector contexts read the cached bytes in place, so an entry lives
// until the last backend releases the cache. Callers hold its mutex for every access.
StaticStorage<IFontData>& FontDataCache();

// A drawing backend was made: count + 1. Any thread; locks.
void RetainFontDataCache();
// A drawing backend went: count - 1; at 0 every cached font's data is deleted. Any thread; locks.
void ReleaseFontDataCache();

} // namespace plugin::ui
