#pragma once

#include "framework/buffers/HeapBuf.h"

namespace plugin {

// Growable zero-terminated text over a HeapBuf (granularity 128). The size counts the
// terminator: an untouched text has size 0, an empty but allocated one size 1.
// Out of memory leaves the text unchanged. Not thread-safe.
class StringBuf
{
public:
  explicit StringBuf(int granularity = 128) noexcept : m_hb(granularity) {}
  explicit StringBuf(const char* text) noexcept : m_hb(128) { Set(text); }

  // The text; never null ("" when nothing is stored).
  const char* Get() const noexcept;
  // Length of the text in characters (up to the first zero byte).
  int GetLength() const noexcept;

  // Writes len characters of text at offset, keeping keepTrailing characters that were at
  // offset after the written ones; (0, any, 0, 0) empties the text. text may point into this
  // string. A null text reserves the room without copying.
  void SetAt(int offset, const char* text, int len, int keepTrailing) noexcept;
  // Replaces the text by at most maxLen characters of text (maxLen < 0: no bound); null gives "".
  void Set(const char* text, int maxLen = -1) noexcept;
  // Appends text (null appends nothing).
  void Append(const char* text) noexcept;
  // Inserts text at pos, clamped to [0, length].
  void Insert(const char* text, int pos) noexcept;
  // Removes up to len characters at pos (nothing when pos is outside the text).
  void DeleteSub(int pos, int len) noexcept;
  // Replaces the text by printf-style output, keeping at most maxLen characters.
  void SetFormatted(int maxLen, const char* format, ...) noexcept __attribute__((format(printf, 3, 4)));
  // Appends printf-style output of at most maxLen characters.
  void AppendFormatted(int maxLen, const char* format, ...) noexcept __attribute__((format(printf, 3, 4)));

  // Underlying byte buffer (size includes the terminator).
  const HeapBuf& GetHeapBuf() const noexcept { return m_hb; }

private:
  HeapBuf m_hb;
};

} // namespace plugin
