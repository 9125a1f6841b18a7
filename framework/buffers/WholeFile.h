#pragma once

#include "framework/buffers/IByteChunk.h"

namespace plugin {

// Largest file the whole-file reader accepts, in bytes.
constexpr int kMaxWholeFileBytes = 64 * 1024 * 1024;

// Reads the file at path (binary) into out, replacing its contents. False (out emptied) when the
// path is null or empty, the file cannot be opened or read, or it exceeds kMaxWholeFileBytes.
// Main thread; allocates; system calls.
bool ReadWholeFile(const char* path, IByteChunk& out);

// Writes all bytes of data to path (binary), replacing an existing file only once the new one is
// complete: a failed write leaves the old file as it was. False when anything fails. Main thread.
bool WriteWholeFile(const char* path, const IByteChunk& data);

} // namespace plugin
