#pragma once

#include "framework/buffers/HeapBuf.h"

#include <type_traits>

namespace plugin {

// Growable array of trivially copyable T over a HeapBuf; counts in elements.
// Not thread-safe; owned by one thread at a time.
template <class T> class TypedBuf
{
  static_assert(std::is_trivially_copyable_v<T>, "TypedBuf holds plain records only");

public:
  explicit TypedBuf(int granularityBytes = 4096) noexcept : m_hb(granularityBytes) {}

  // Sets the element count; returns the data or null (count 0 or allocation failure; compare
  // GetSize() with the count asked for).
  T* Resize(int count, bool resizeDown = true) noexcept
  {
    if (count > HeapBuf::kMaxAlloc / static_cast<int>(sizeof(T)))
      return nullptr; // would overflow the byte count: refuse, contents kept
    return static_cast<T*>(m_hb.Resize(count * static_cast<int>(sizeof(T)), resizeDown));
  }
  // Element count.
  int GetSize() const noexcept { return m_hb.GetSize() / static_cast<int>(sizeof(T)); }
  // The elements (null when nothing is allocated).
  T* Get() const noexcept { return static_cast<T*>(m_hb.Get()); }
  // Underlying byte buffer.
  const HeapBuf& GetHeapBuf() const noexcept { return m_hb; }

private:
  HeapBuf m_hb;
};

} // namespace plugin
