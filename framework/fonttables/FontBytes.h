#pragma once

#include <cstddef>
#include <cstdint>

// A read-only view of a font file's bytes (not owned) whose every read is checked against the
// end of the data, so that truncated or hostile files give "absent", never a read past the end.
// Pure; any thread; no allocation.
namespace plugin::fonts {

class FontBytes
{
public:
  FontBytes() = default;
  FontBytes(const void* data, size_t size) noexcept
      : mData(static_cast<const uint8_t*>(data)), mSize(data ? size : 0)
  {}

  const uint8_t* Data() const noexcept { return mData; }
  size_t Size() const noexcept { return mSize; }

  // True when [offset, offset + length) lies inside the data.
  bool Contains(uint64_t offset, uint64_t length) const noexcept
  {
    return offset <= mSize && length <= mSize - offset;
  }

  // The bytes [offset, offset + length) as a view of their own; empty when they lie outside.
  FontBytes Slice(uint64_t offset, uint64_t length) const noexcept
  {
    return Contains(offset, length) ? FontBytes(mData + offset, static_cast<size_t>(length)) : FontBytes();
  }

  // Big-endian fields; false, with out untouched, when the field lies past the end.
  bool U8(uint64_t offset, uint8_t& out) const noexcept;
  bool U16(uint64_t offset, uint16_t& out) const noexcept;
  bool I16(uint64_t offset, int16_t& out) const noexcept;
  bool U32(uint64_t offset, uint32_t& out) const noexcept;
  // The same fields as values, 0 when they lie past the end: for data whose layout a check has
  // already measured, so that even a check's slip reads nothing outside.
  uint8_t ReadU8(uint64_t offset) const noexcept;
  uint16_t ReadU16(uint64_t offset) const noexcept;
  int16_t ReadI16(uint64_t offset) const noexcept;
  uint32_t ReadU32(uint64_t offset) const noexcept;
  // True when the four bytes at offset are tag.
  bool HasTag(uint64_t offset, const char (&tag)[5]) const noexcept;

private:
  const uint8_t* mData = nullptr;
  size_t mSize = 0;
};

} // namespace plugin::fonts
