#pragma once

#include "framework/buffers/HeapBuf.h"

namespace plugin {

// List of pointers to T over a HeapBuf (granularity 4096). Does not own its entries unless
// Empty() or Delete() is asked to delete them. Not thread-safe.
template <class T> class PtrList
{
public:
  using DeleteFunc = void (*)(T*);

  explicit PtrList(int granularity = 4096) noexcept : m_hb(granularity) {}
  PtrList(const PtrList&) = delete;
  PtrList& operator=(const PtrList&) = delete;

  // Number of entries.
  int GetSize() const noexcept { return m_hb.GetSize() / static_cast<int>(sizeof(T*)); }

  // Entry idx, or null when idx is outside [0, count).
  T* Get(int idx) const noexcept
  {
    T** list = static_cast<T**>(m_hb.Get());
    if (!list || idx < 0 || idx >= GetSize()) return nullptr;
    return list[idx];
  }

  // Appends item; returns it, or null (item dropped) when the list could not grow.
  T* Add(T* item) noexcept
  {
    const int oldSize = m_hb.GetSize() / static_cast<int>(sizeof(T*)) * static_cast<int>(sizeof(T*));
    const int newSize = oldSize + static_cast<int>(sizeof(T*));
    T** list = static_cast<T**>(m_hb.Resize(newSize, false));
    if (!list || m_hb.GetSize() != newSize) return nullptr;
    list[newSize / static_cast<int>(sizeof(T*)) - 1] = item;
    return item;
  }

  // Removes entry idx, moving the later ones down; deletes it when wantDelete is set.
  void Delete(int idx, bool wantDelete = false, DeleteFunc deleteFunc = nullptr) noexcept
  {
    const int n = GetSize();
    if (idx < 0 || idx >= n) return;
    T** list = static_cast<T**>(m_hb.Get());
    T* item = list[idx];
    for (int i = idx; i < n - 1; ++i)
      list[i] = list[i + 1];
    m_hb.Resize((n - 1) * static_cast<int>(sizeof(T*)), false);
    if (wantDelete) Destroy(item, deleteFunc);
  }

  // Removes every entry from the last to the first, deleting each non-null one when wantDelete
  // is set (with deleteFunc when given); the memory stays allocated.
  void Empty(bool wantDelete = false, DeleteFunc deleteFunc = nullptr) noexcept
  {
    for (int n = GetSize(); n > 0; --n) {
      T* item = static_cast<T**>(m_hb.Get())[n - 1];
      m_hb.Resize((n - 1) * static_cast<int>(sizeof(T*)), false);
      if (wantDelete) Destroy(item, deleteFunc);
    }
    m_hb.Resize(0, false);
  }

  // Underlying byte buffer.
  const HeapBuf& GetHeapBuf() const noexcept { return m_hb; }

private:
  static void Destroy(T* item, DeleteFunc deleteFunc) noexcept
  {
    if (!item) return;
    if (deleteFunc)
      deleteFunc(item);
    else
      delete item;
  }

  HeapBuf m_hb;
};

} // namespace plugin
