#pragma once

#include "platform/mac/system/GpuTexture.h"

#include <string>
#include <vector>

namespace plugin::sys {

// Level 0 of texture as RGBA rows of 8-bit channels, top row first: BGRA is reordered, a
// one-channel texture becomes grey with that channel as alpha. Empty for private storage.
// The caller waits for the GPU work that writes the texture first.
std::vector<unsigned char> GpuReadRGBA(const GpuTexture& texture);

// Writes level 0 of texture as a PNG file at path; premultiplied colour is divided by alpha so
// that the file holds straight colour. False when the texture cannot be read or the file written.
bool GpuWritePng(const GpuTexture& texture, const std::string& path);

} // namespace plugin::sys
