#pragma once

#include "framework/buffers/PtrList.h"
#include "framework/buffers/StringBuf.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string_view>

namespace plugin::ui {

// Process-wide cache of owned resources keyed by name and scale, shared by every graphics
// context of the process. Its instance count follows the living contexts; when the last one goes
// the cache is emptied. Every operation must run under Mutex() (a recursive lock: loading code
// re-enters it); the cache itself takes no lock.
template <class T> class StaticStorage
{
public:
  StaticStorage() = default;
  // Empties the list at process exit, deleting every entry.
  ~StaticStorage() { Clear(); }
  StaticStorage(const StaticStorage&) = delete;
  StaticStorage& operator=(const StaticStorage&) = delete;

  std::recursive_mutex& Mutex() noexcept { return mMutex; }

  // A context was made: count + 1.
  void Retain() noexcept { ++mInstanceCount; }
  // A context went: count - 1; at 0 every entry is deleted with its data.
  void Release() noexcept
  {
    if (--mInstanceCount == 0) Clear();
  }
  int InstanceCount() const noexcept { return mInstanceCount; }

  // Data of the first entry with this name and exactly this scale, or null.
  T* Find(const char* name, double scale) const
  {
    const Key key(name, scale);
    for (int i = 0; i < mDatas.GetSize(); ++i) {
      const Entry* e = mDatas.Get(i);
      if (e->mHash == key.mHash && e->mScale == scale && std::string_view(e->mName.Get()) == name)
        return e->mData;
    }
    return nullptr;
  }

  // Appends an entry owning data (no lookup first). Returns false, deleting data, when the
  // list cannot grow.
  bool Add(T* data, const char* name, double scale)
  {
    if (!data) return false;
    Entry* e = new Entry{Key(name, scale).mHash, StringBuf(128), scale, data};
    e->mName.Set(name);
    if (!mDatas.Add(e)) {
      delete e;
      return false;
    }
    return true;
  }

  // Deletes the first entry holding data, with the data, closing the gap.
  void Remove(const T* data)
  {
    for (int i = 0; i < mDatas.GetSize(); ++i) {
      if (mDatas.Get(i)->mData == data) {
        mDatas.Delete(i, true);
        return;
      }
    }
  }

  int NEntries() const noexcept { return mDatas.GetSize(); }

  // Deletes every entry with its data.
  void Clear() noexcept { mDatas.Empty(true); }

  // The key text of an entry: the name followed by "-%.1fx" of the scale.
  static void FormatKey(const char* name, double scale, StringBuf& out)
  {
    out.Set(name);
    out.AppendFormatted(32, "-%.1fx", scale);
  }

private:
  struct Key
  {
    Key(const char* name, double scale)
    {
      StringBuf text(128);
      FormatKey(name, scale, text);
      mHash = std::hash<std::string_view>{}(std::string_view(text.Get()));
    }
    uint64_t mHash;
  };

  struct Entry
  {
    uint64_t mHash;
    StringBuf mName;
    double mScale;
    T* mData;
    ~Entry() { delete mData; }
  };

  int mInstanceCount = 0;
  std::recursive_mutex mMutex;
  PtrList<Entry> mDatas{4096};
};

} // namespace plugin::ui
