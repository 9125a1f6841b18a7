#include "framework/buffers/StringBuf.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace plugin {

const char* StringBuf::Get() const noexcept
{
  const char* text = static_cast<const char*>(m_hb.Get());
  return (text && m_hb.GetSize() > 0) ? text : "";
}

int StringBuf::GetLength() const noexcept
{
  if (m_hb.GetSize() < 1 || !m_hb.Get()) return 0;
  const char* text = static_cast<const char*>(m_hb.Get());
  const void* end = std::memchr(text, 0, static_cast<size_t>(m_hb.GetSize()));
  return end ? static_cast<int>(static_cast<const char*>(end) - text) : m_hb.GetSize();
}

void StringBuf::SetAt(int offset, const char* text, int len, int keepTrailing) noexcept
{
  if (offset == 0 && len == 0 && keepTrailing == 0) {
    char* buf = static_cast<char*>(m_hb.Resize(1, true));
    if (buf && m_hb.GetSize() == 1) buf[0] = 0;
    return;
  }
  if (offset < 0 || len < 1 || keepTrailing < 0) return;
  const int oldSize = m_hb.GetSize();
  const int oldLength = GetLength();
  const int64_t newLength = int64_t{offset} + len + keepTrailing;
  if (newLength + 1 > HeapBuf::kMaxAlloc) return;
  // Trailing characters must exist in the current text.
  if (keepTrailing > 0 && int64_t{offset} + keepTrailing > oldLength) return;

  if (newLength + 1 > oldSize) {
    // text may point into our own block: follow it if the block moves.
    const uintptr_t oldBase = reinterpret_cast<uintptr_t>(m_hb.Get());
    const uintptr_t textAddr = reinterpret_cast<uintptr_t>(text);
    const bool inside = oldBase && text && textAddr >= oldBase &&
                        textAddr < oldBase + static_cast<uintptr_t>(m_hb.GetAlloc());
    m_hb.Resize(static_cast<int>(newLength + 1), false);
    if (inside && m_hb.GetSize() == newLength + 1)
      text = static_cast<const char*>(m_hb.Get()) + (textAddr - oldBase);
  }
  if (m_hb.GetSize() <= newLength) return; // could not grow: text unchanged

  char* buf = static_cast<char*>(m_hb.Get());
  if (offset > oldLength)
    std::memset(buf + oldLength, 0, static_cast<size_t>(offset - oldLength)); // no undefined gap
  if (keepTrailing > 0) std::memmove(buf + offset + len, buf + offset, static_cast<size_t>(keepTrailing));
  if (text) std::memmove(buf + offset, text, static_cast<size_t>(len));
  buf[newLength] = 0;
  if (m_hb.GetSize() > newLength + 1) m_hb.Resize(static_cast<int>(newLength + 1), false);
}

void StringBuf::Set(const char* text, int maxLen) noexcept
{
  if (!text) {
    SetAt(0, nullptr, 0, 0);
    return;
  }
  const size_t bound = maxLen < 0 ? static_cast<size_t>(HeapBuf::kMaxAlloc) : static_cast<size_t>(maxLen);
  SetAt(0, text, static_cast<int>(strnlen(text, bound)), 0);
}

void StringBuf::Append(const char* text) noexcept
{
  if (!text || !*text) return;
  const size_t len = strnlen(text, static_cast<size_t>(HeapBuf::kMaxAlloc));
  SetAt(GetLength(), text, static_cast<int>(len), 0);
}

void StringBuf::Insert(const char* text, int pos) noexcept
{
  if (!text || !*text) return;
  const int length = GetLength();
  const int p = std::clamp(pos, 0, length);
  const size_t len = strnlen(text, static_cast<size_t>(HeapBuf::kMaxAlloc));
  SetAt(p, text, static_cast<int>(len), length - p);
}

void StringBuf::DeleteSub(int pos, int len) noexcept
{
  const int length = GetLength();
  if (length == 0 || pos < 0 || pos >= length || len < 1) return;
  const int n = std::min(len, length - pos);
  char* buf = static_cast<char*>(m_hb.Get());
  std::memmove(buf + pos, buf + pos + n, static_cast<size_t>(length - pos - n + 1)); // with terminator
  m_hb.Resize(length - n + 1, false);
}

void StringBuf::SetFormatted(int maxLen, const char* format, ...) noexcept
{
  if (!format) return;
  maxLen = std::clamp(maxLen, 0, HeapBuf::kMaxAlloc - 1);
  char* buf = static_cast<char*>(m_hb.Resize(maxLen + 1, false));
  if (!buf || m_hb.GetSize() != maxLen + 1) return;
  va_list args;
  va_start(args, format);
  const int printed = std::vsnprintf(buf, static_cast<size_t>(maxLen) + 1, format, args);
  va_end(args);
  if (printed < 0) buf[0] = 0; // encoding error: empty text
  m_hb.Resize(std::clamp(printed, 0, maxLen) + 1, false);
}

void StringBuf::AppendFormatted(int maxLen, const char* format, ...) noexcept
{
  if (!format) return;
  const int length = GetLength();
  maxLen = std::clamp(maxLen, 0, HeapBuf::kMaxAlloc - 1 - length);
  const int want = length + maxLen + 1;
  char* buf = static_cast<char*>(m_hb.Resize(want, false));
  if (!buf || m_hb.GetSize() != want) return;
  va_list args;
  va_start(args, format);
  const int printed = std::vsnprintf(buf + length, static_cast<size_t>(maxLen) + 1, format, args);
  va_end(args);
  if (printed < 0) buf[length] = 0;
  m_hb.Resize(length + std::clamp(printed, 0, maxLen) + 1, false);
}

} // namespace plugin
