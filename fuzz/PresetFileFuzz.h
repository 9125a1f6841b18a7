#pragma once

// The body the program and bank file fuzz targets share. The first byte chooses whether the
// plug-in saves state chunks; the rest is the file. Checks: a refused file changes nothing, an
// accepted one leaves only valid values and survives a write and read back.
#include "tests/support/framework/TestPlugin.h"

#include <cstddef>
#include <cstdint>

namespace fuzzing {

using namespace testhost;

using PresetFileReader = bool (*)(IPluginBase& plugin, const IByteChunk& file);
using PresetFileWriter = bool (*)(const IPluginBase& plugin, IByteChunk& out);

inline int FuzzPresetFile(const uint8_t* data, size_t size, PresetFileReader read, PresetFileWriter write)
{
  if (size < 1) return 0;
  TestPlugin plugin(TestOptions{.chunks = (data[0] & 1) != 0});
  const IByteChunk file = Chunk(std::vector<uint8_t>(data + 1, data + size));
  const auto before = Snapshot(plugin);
  if (!read(plugin, file)) {
    if (Snapshot(plugin) != before) __builtin_trap();
    return 0;
  }
  if (!AllValuesValid(plugin)) __builtin_trap();
  IByteChunk again;
  if (!write(plugin, again) || !read(plugin, again)) __builtin_trap();
  return 0;
}

} // namespace fuzzing
