#include "framework/buffers/IByteChunk.h"

#include <cstdint>
#include <cstring>

namespace plugin {

int IByteChunk::PutBytes(const void* data, int size) noexcept
{
  const int oldSize = Size();
  if (size < 0 || (size > 0 && !data)) return -1;
  const int64_t newSize = int64_t{oldSize} + size;
  if (newSize > HeapBuf::kMaxAlloc) return -1;
  if (size == 0) return oldSize;
  uint8_t* bytes = mBytes.Resize(static_cast<int>(newSize), false);
  if (!bytes || mBytes.GetSize() != newSize) return -1;
  std::memcpy(bytes + oldSize, data, static_cast<size_t>(size));
  return static_cast<int>(newSize);
}

int IByteChunk::GetBytes(void* data, int size, int startPos) const noexcept
{
  if (startPos < 0 || size < 0) return -1;
  const int64_t endPos = int64_t{startPos} + size;
  if (endPos > Size()) return -1;
  if (size > 0) std::memcpy(data, GetData() + startPos, static_cast<size_t>(size));
  return static_cast<int>(endPos);
}

int IByteChunk::PutStr(const char* text) noexcept
{
  const size_t length = text ? strnlen(text, static_cast<size_t>(HeapBuf::kMaxAlloc)) : 0;
  const int32_t len = static_cast<int32_t>(length);
  const int oldSize = Size();
  if (PutBytes(&len, 4) < 0) return -1;
  if (PutBytes(text, len) < 0) {
    Resize(oldSize); // all or nothing
    return -1;
  }
  return Size();
}

int IByteChunk::GetStr(StringBuf& text, int startPos) const noexcept
{
  int32_t len = 0;
  const int pos = Get(&len, startPos);
  if (pos < 0 || len < 0) return -1;
  if (int64_t{pos} + len > Size()) return -1; // characters missing: text unchanged
  if (len < 1) {
    text.Set("");
    return pos;
  }
  const char* chars = reinterpret_cast<const char*>(GetData() + pos);
  text.Set(chars, len); // stops at a zero byte
  return pos + len;
}

int IByteChunk::PutChunk(const IByteChunk& other) noexcept
{
  if (&other == this) {
    const IByteChunk copy(other);
    return PutBytes(copy.GetData(), copy.Size());
  }
  return PutBytes(other.GetData(), other.Size());
}

} // namespace plugin
