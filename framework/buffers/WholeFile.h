#pragma once

#include "framework/buffers/IByteChunk.h"

namespace plugin {

// Largest file the whole-file reader accepts, in bytes.
constexpr int kMaxWholeFileBytes = 64 * 1024 * 1024;

// Reads the file at path (binary) into out, replacing its contents. False (out emptied) when the
// path is null or empty, the file cannot be opened or read, or it exceeds kMaxWholeFileBytes.
// Main thread; allocates; system calls.
bool ReadWholeFile(const char* path, IByteChunk& out);

// Writes all bytes of data as the whole file at path (binary), as ReplaceFileContents does: a
// failed write leaves the old file as it was, a link is written through, permissions are kept, a
// read-only file is refused. False when anything fails. Main thread.
bool WriteWholeFile(const char* path, const IByteChunk& data);

} // namespace plugin
