#include "framework/buffers/HeapBuf.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace plugin {

namespace {
constexpr int64_t kPage = 4096;
constexpr int64_t kMaxStep = 0x400000; // page-granular growth is capped at 4 MiB
constexpr int64_t kAllocatorOverhead = 96;
} // namespace

HeapBuf::~HeapBuf()
{
  std::free(m_buf);
}

HeapBuf::HeapBuf(const HeapBuf& other) noexcept : m_granul(other.m_granul)
{
  if (other.m_size > 0 && Resize(other.m_size, false) && m_size == other.m_size)
    std::memcpy(m_buf, other.m_buf, static_cast<size_t>(m_size));
}

HeapBuf& HeapBuf::operator=(const HeapBuf& other) noexcept
{
  if (this == &other) return *this;
  m_granul = other.m_granul;
  if (other.m_size == 0) {
    Resize(0, false);
  } else if (Resize(other.m_size, true) && m_size == other.m_size) {
    std::memcpy(m_buf, other.m_buf, static_cast<size_t>(m_size));
  }
  return *this;
}

HeapBuf::HeapBuf(HeapBuf&& other) noexcept
    : m_buf(std::exchange(other.m_buf, nullptr)), m_alloc(std::exchange(other.m_alloc, 0)),
      m_size(std::exchange(other.m_size, 0)), m_granul(other.m_granul)
{}

HeapBuf& HeapBuf::operator=(HeapBuf&& other) noexcept
{
  if (this != &other) {
    std::free(m_buf);
    m_buf = std::exchange(other.m_buf, nullptr);
    m_alloc = std::exchange(other.m_alloc, 0);
    m_size = std::exchange(other.m_size, 0);
    m_granul = other.m_granul;
  }
  return *this;
}

void HeapBuf::Free() noexcept
{
  std::free(m_buf);
  m_buf = nullptr;
  m_alloc = 0;
  m_size = 0;
}

int64_t HeapBuf::AllocationFor(int n) const noexcept
{
  const int64_t size = n;
  const int64_t granul = m_granul;
  if (granul < kPage) return size + std::max(size / 2, granul);
  // Page-sized steps, so that the block plus the allocator's bookkeeping fills whole pages.
  int64_t step = std::max(size / 2, granul) & ~(kPage - 1);
  step = std::min<int64_t>(step, kMaxAlloc);
  if (step == 0) step = kPage;
  if (step > kMaxStep) step = kMaxStep;
  return ((size + step + kAllocatorOverhead) & ~(kPage - 1)) - kAllocatorOverhead;
}

void* HeapBuf::Resize(int newSize, bool resizeDown) noexcept
{
  const int n = std::max(newSize, 0);
  int64_t shrinkBelow = 0;
  if (n == m_size) {
    if (!resizeDown || n >= m_alloc / 2) return n ? m_buf : nullptr;
  } else if (resizeDown && n < m_size) {
    // Hysteresis: only give memory back well below the allocation.
    shrinkBelow =
        std::max<int64_t>(1, std::min<int64_t>(int64_t{m_alloc} - 4 * int64_t{m_granul}, m_alloc / 2));
  }

  if (n > m_alloc || n < shrinkBelow) {
    if (newSize < 1) {
      Free();
      return nullptr;
    }
    const int64_t alloc = AllocationFor(n);
    if (alloc <= 0) {
      Free();
      return nullptr;
    }
    if (alloc > kMaxAlloc || alloc < n)
      return m_size ? m_buf : nullptr; // too large: refuse and keep the contents
    if (alloc != m_alloc) {
      void* grown = std::realloc(m_buf, static_cast<size_t>(alloc));
      if (!grown) {
        grown = std::malloc(static_cast<size_t>(alloc));
        if (!grown) return m_size ? m_buf : nullptr; // out of memory: contents and size kept
        if (m_buf) std::memcpy(grown, m_buf, static_cast<size_t>(std::min(n, m_size)));
        std::free(m_buf);
      }
      m_buf = grown;
      m_alloc = static_cast<int32_t>(alloc);
    }
  }
  m_size = n;
  return n ? m_buf : nullptr;
}

} // namespace plugin
