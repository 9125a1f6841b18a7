#pragma once

#include "framework/buffers/IByteChunk.h"

// The one PNG and JPEG writer of the project: the tools, the tests and the GPU read-back all write
// their pictures through it. Pixels are 8-bit channels, rows top first, tightly packed. Sizes are
// refused (false, nothing written) when a side is not positive, exceeds kMaxImageSide, or the
// pixels would not fit in one chunk. Any thread; allocates; the file writers make system calls.
namespace plugin::images {

// Largest width or height accepted; a JPEG file cannot describe a larger side.
inline constexpr int kMaxImageSide = 65535;

// Encodes width x height RGBA pixels as PNG into out (replacing its contents). False (out emptied)
// on refused sizes, null pixels or when memory runs out.
bool EncodePng(int width, int height, const unsigned char* rgba, IByteChunk& out);

// Encodes width x height RGB pixels as baseline JPEG of the given quality (clamped to 1..100) into
// out (replacing its contents). False (out emptied) as for EncodePng.
bool EncodeJpeg(int width, int height, const unsigned char* rgb, int quality, IByteChunk& out);

// Writes the PNG of width x height RGBA pixels as the file at path. An existing file is replaced
// only once the new one is complete; a failed write leaves nothing new behind. False on failure.
bool WritePngFile(const char* path, int width, int height, const unsigned char* rgba);

// Writes the JPEG of width x height RGB pixels as the file at path, as WritePngFile does.
bool WriteJpegFile(const char* path, int width, int height, const unsigned char* rgb, int quality);

} // namespace plugin::images
