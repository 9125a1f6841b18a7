#pragma once

namespace plugin::sys {

// Writes width x height RGBA pixels (rows top first, tightly packed) as a PNG file. False on failure.
bool GpuStbWritePng(const char* path, int width, int height, const unsigned char* rgba);

} // namespace plugin::sys
