#pragma once

#include "framework/buffers/IByteChunk.h"

#include "pluginterfaces/base/ibstream.h"

namespace plugin::vst3 {

// Reading and writing the host's state streams. Host main thread; allocate.

// Reads from the stream's current position to its end in pieces of 128 bytes into out. Reading
// stops at the end (a read of no bytes) or at a read that reports an error, whose bytes are
// dropped, unless keepGoingOnError (for hosts whose streams report errors on good reads): then its
// bytes are kept and reading goes on. False beyond maxBytes or when memory runs out.
bool ReadToEnd(Steinberg::IBStream& stream, IByteChunk& out, bool keepGoingOnError, int maxBytes);

// Writes every byte of data; false when the stream reports an error or takes fewer bytes.
bool WriteAll(Steinberg::IBStream& stream, const void* data, int size);

} // namespace plugin::vst3
