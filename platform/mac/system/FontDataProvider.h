#pragma once

#include "framework/buffers/HeapBuf.h"
#include "framework/buffers/IByteChunk.h"
#include "platform/mac/system/FileUrl.h"

#include <cstddef>
#include <memory>

// A source of font file bytes: a file read when the provider is made, or a block of memory that
// the provider hands back to its owner's release function when the last reference goes.
// Made and copied on the main thread; references may be dropped on any thread.
namespace plugin::sys {

class FontDataProvider
{
public:
  // Called once when the provider of a memory block goes: info, data and size as given.
  using ReleaseFunc = void (*)(void* info, const void* data, size_t size);

  // The bytes of the file at url, read now. Null for a folder, a missing, unreadable or empty
  // file, or one larger than the whole-file reader takes. Allocates; file access.
  static std::shared_ptr<FontDataProvider> CreateWithUrl(const FileUrl& url);

  // A provider over size bytes at data, not copied. Null (and release is not called) for null
  // data; release may be null. No copy; allocates the provider.
  static std::shared_ptr<FontDataProvider> CreateWithData(void* info, const void* data, size_t size,
                                                          ReleaseFunc release);

  ~FontDataProvider();
  FontDataProvider(const FontDataProvider&) = delete;
  FontDataProvider& operator=(const FontDataProvider&) = delete;

  // The bytes (valid while the provider lives) and their count.
  const void* Data() const noexcept;
  size_t Size() const noexcept;

  // Copies every byte into out (resized to the size). False, with out emptied, when the copy
  // does not fit in memory or in a buffer. Allocates.
  bool CopyData(HeapBuf& out) const noexcept;

private:
  FontDataProvider() = default;

  IByteChunk mFileBytes; // bytes of a file provider
  const void* mData = nullptr;
  size_t mSize = 0;
  void* mInfo = nullptr;
  ReleaseFunc mRelease = nullptr;
};

} // namespace plugin::sys
