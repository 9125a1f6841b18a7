#pragma once

#include "framework/buffers/IByteChunk.h"

namespace plugin {

// One preset record: a name and a saved state in the plug-in's state format. Owned by the
// plug-in's preset list; main thread only.
struct IPreset
{
  static constexpr int kMaxNameLen = 256; // with terminator

  IPreset() noexcept { SetName("empty"); }

  // Copies name, truncated to 255 characters; null reads as "".
  void SetName(const char* name) noexcept;

  bool mInitialized = false; // false for a free record
  char mName[kMaxNameLen] = {};
  IByteChunk mChunk;
};

} // namespace plugin
