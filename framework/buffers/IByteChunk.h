#pragma once

#include "framework/buffers/StringBuf.h"
#include "framework/buffers/TypedBuf.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace plugin {

// Growable byte buffer that states, presets and editor sizes are serialised into, in the
// machine's own byte order. Readers thread the returned position into the next read; a failed
// read returns -1, so every later read fails too. Not thread-safe.
class IByteChunk
{
public:
  IByteChunk() noexcept : mBytes(4096) {}

  // Appends the raw bytes of *value; returns the new size, or -1 (chunk unchanged) when it
  // could not grow.
  template <class T> int Put(const T* value) noexcept
  {
    static_assert(std::is_trivially_copyable_v<T>, "only plain values can be put");
    return PutBytes(value, static_cast<int>(sizeof(T)));
  }

  // Copies the bytes at startPos into *value; returns the position after them, or -1 (value
  // untouched) when startPos is negative or the bytes are not all there.
  template <class T> int Get(T* value, int startPos) const noexcept
  {
    static_assert(std::is_trivially_copyable_v<T>, "only plain values can be read");
    return GetBytes(value, static_cast<int>(sizeof(T)), startPos);
  }

  // Appends size bytes; returns the new size, or -1 (chunk unchanged) on failure.
  int PutBytes(const void* data, int size) noexcept;
  // Copies size bytes from startPos; returns the position after them, or -1 (nothing copied).
  int GetBytes(void* data, int size, int startPos) const noexcept;

  // Appends an int32 length and the characters without terminator; returns the new size or -1.
  int PutStr(const char* text) noexcept;
  // Reads a string written by PutStr; returns the position after it, or -1 (text unchanged)
  // when startPos is negative, the length is negative, or the characters are not all there.
  int GetStr(StringBuf& text, int startPos) const noexcept;

  // Appends all bytes of another chunk; returns the new size or -1.
  int PutChunk(const IByteChunk& other) noexcept;

  // Empties the chunk and frees its memory.
  void Clear() noexcept { mBytes.Resize(0, true); }
  // Number of bytes held.
  int Size() const noexcept { return mBytes.GetSize(); }
  // Sets the byte count (new bytes are uninitialised); returns the new size.
  int Resize(int newSize) noexcept
  {
    mBytes.Resize(newSize, true);
    return mBytes.GetSize();
  }
  // The bytes (null when empty).
  uint8_t* GetData() noexcept { return mBytes.Get(); }
  const uint8_t* GetData() const noexcept { return mBytes.Get(); }

  // True when both chunks hold the same bytes.
  bool IsEqual(const IByteChunk& other) const noexcept
  {
    return Size() == other.Size() && (Size() == 0 || std::memcmp(GetData(), other.GetData(), Size()) == 0);
  }

private:
  TypedBuf<uint8_t> mBytes;
};

} // namespace plugin
