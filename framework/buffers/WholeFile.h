#pragma once

#include "framework/buffers/IByteChunk.h"

namespace plugin {

// Largest file the whole-file reader accepts, in bytes.
constexpr int kMaxWholeFileBytes = 64 * 1024 * 1024;

// Reads the file at path (binary) into out, replacing its contents. False (out emptied) when the
// path is null or empty, the file cannot be opened or read, or it exceeds kMaxWholeFileBytes.
// Main thread; allocates; system calls.
bool ReadWholeFile(const char* path, IByteChunk& out);

// Writes all bytes of data as the whole file at path (binary), as ReplaceFileContents does: a link
// is written through, permissions are kept, a read-only file is refused, and a failed write
// leaves the old file as it was, but for a file written in place (several hard links, a folder
// that takes no new file, an owner a new file cannot be given) that we may not read or that cannot
// be written back, which keeps the part written. False when anything fails. Main thread.
bool WriteWholeFile(const char* path, const IByteChunk& data);

} // namespace plugin
