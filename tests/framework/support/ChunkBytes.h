#pragma once

// Copies a chunk's bytes, so tests can compare whole chunks with one assertion.

#include "framework/buffers/IByteChunk.h"

#include <cstdint>
#include <vector>

namespace plugin::test {

inline std::vector<uint8_t> Bytes(const IByteChunk& chunk)
{
  return std::vector<uint8_t>(chunk.GetData(), chunk.GetData() + chunk.Size());
}

} // namespace plugin::test
