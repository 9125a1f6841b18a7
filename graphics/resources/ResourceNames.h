#pragma once

#include "framework/buffers/StringBuf.h"

#include <string>
#include <vector>

namespace plugin::ui {

// The largest pixel scale resources are made for.
inline constexpr int kMaxResourceScale = 3;

// Pixel scales tried for a resource wanted at targetScale (below 1 reads as 1): the target, then
// the largest scale unless that is the target, then downwards from the last one tried, skipping
// the target, down to 1. 1: {1, 3, 2}; 2: {2, 3, 1}; 3: {3, 2, 1}; 4: {4, 3, 2, 1}.
std::vector<int> ImageScaleOrder(int targetScale);

// The resource name of a scale variant: the name itself at scale 1, else "base@<scale>x.ext",
// the suffix going before the extension (the text from the last '.' after the last '/' or '\').
void ScaledResourceName(const char* name, int scale, StringBuf& out);

// The text after the last '.' of the name; the whole name when it has none.
std::string BitmapExtension(const char* name);

} // namespace plugin::ui
