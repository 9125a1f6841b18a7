#include "framework/buffers/WholeFile.h"

#include "framework/files/ReplaceFileContents.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace plugin {

namespace {

struct FileCloser
{
  void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

bool ReadWholeFile(const char* path, IByteChunk& out)
{
  out.Clear();
  if (!path || !*path) return false;
  FilePtr file(std::fopen(path, "rb"));
  if (!file) return false;
  // Read in pieces instead of trusting a seek: the file may be a pipe or change while read.
  constexpr int kPiece = 64 * 1024;
  for (;;) {
    const int oldSize = out.Size();
    if (oldSize >= kMaxWholeFileBytes) {
      // One byte more than allowed means the file is too large.
      char probe;
      if (std::fread(&probe, 1, 1, file.get()) == 1) break;
      return !std::ferror(file.get());
    }
    const int want = std::min(kPiece, kMaxWholeFileBytes - oldSize);
    if (out.Resize(oldSize + want) != oldSize + want) break;
    const size_t got = std::fread(out.GetData() + oldSize, 1, static_cast<size_t>(want), file.get());
    out.Resize(oldSize + static_cast<int>(got));
    if (got < static_cast<size_t>(want)) {
      if (std::ferror(file.get())) break;
      return true;
    }
  }
  out.Clear();
  return false;
}

bool WriteWholeFile(const char* path, const IByteChunk& data)
{
  return ReplaceFileContents(path, data.GetData(), static_cast<size_t>(data.Size()));
}

} // namespace plugin
