#include "framework/fonttables/FontBytes.h"

#include <cstring>

namespace plugin::fonts {

bool FontBytes::U8(uint64_t offset, uint8_t& out) const noexcept
{
  if (!Contains(offset, 1)) return false;
  out = mData[offset];
  return true;
}

bool FontBytes::U16(uint64_t offset, uint16_t& out) const noexcept
{
  if (!Contains(offset, 2)) return false;
  out = static_cast<uint16_t>(mData[offset] << 8 | mData[offset + 1]);
  return true;
}

bool FontBytes::I16(uint64_t offset, int16_t& out) const noexcept
{
  uint16_t u = 0;
  if (!U16(offset, u)) return false;
  out = static_cast<int16_t>(u);
  return true;
}

bool FontBytes::U32(uint64_t offset, uint32_t& out) const noexcept
{
  if (!Contains(offset, 4)) return false;
  out = static_cast<uint32_t>(mData[offset]) << 24 | static_cast<uint32_t>(mData[offset + 1]) << 16 |
        static_cast<uint32_t>(mData[offset + 2]) << 8 | mData[offset + 3];
  return true;
}

uint8_t FontBytes::ReadU8(uint64_t offset) const noexcept
{
  uint8_t v = 0;
  U8(offset, v);
  return v;
}

uint16_t FontBytes::ReadU16(uint64_t offset) const noexcept
{
  uint16_t v = 0;
  U16(offset, v);
  return v;
}

int16_t FontBytes::ReadI16(uint64_t offset) const noexcept
{
  int16_t v = 0;
  I16(offset, v);
  return v;
}

uint32_t FontBytes::ReadU32(uint64_t offset) const noexcept
{
  uint32_t v = 0;
  U32(offset, v);
  return v;
}

bool FontBytes::HasTag(uint64_t offset, const char (&tag)[5]) const noexcept
{
  return Contains(offset, 4) && std::memcmp(mData + offset, tag, 4) == 0;
}

} // namespace plugin::fonts
