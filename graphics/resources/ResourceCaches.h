#pragma once

#include "graphics/resources/APIBitmap.h"
#include "graphics/resources/ISVG.h"
#include "graphics/resources/StaticStorage.h"

namespace plugin::ui {

// The two process-wide caches every graphics context shares: renderer bitmaps keyed by name and
// pixel scale, parsed SVG images keyed by name at scale 1. Lock order: the bitmap cache's mutex
// before the SVG cache's whenever both are held.
StaticStorage<APIBitmap>& BitmapCache();
StaticStorage<SVGHolder>& SVGCache();

// A graphics context was made: raises both instance counts (bitmap count under the first mutex,
// SVG count under both). Any thread; locks.
void RetainResourceCaches();
// A graphics context went: lowers both counts, emptying each cache whose count reaches 0. Any
// thread; locks; deletes cached data.
void ReleaseResourceCaches();

} // namespace plugin::ui
