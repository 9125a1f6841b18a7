#pragma once

#include <cstdint>

namespace plugin {

// The plug-in's compiled-in configuration, filled by the plug-in constructor and handed down the
// constructor chain to the plug-in base, the API base and the processor frame.
struct IPluginConfig
{
  int32_t mNParams = 0;
  int32_t mNPresets = 0;
  const char* mChannelIOStr = ""; // bus layouts, e.g. "1-1 2-2"
  const char* mPluginName = "";   // first 128 characters are kept
  const char* mProductName = "";  // first 128 characters are kept
  const char* mMfrName = "";      // first 128 characters are kept
  int32_t mVendorVersion = 0;     // packed 0xVVVVRRBB
  int32_t mUniqueID = 0;          // four-character code
  int32_t mMfrID = 0;             // four-character code
  int32_t mLatency = 0;           // samples
  bool mPlugDoesMidiIn = false;
  bool mPlugDoesMidiOut = false;
  bool mPlugFlag3 = false;      // carried to the processor, read by nothing
  bool mPlugDoesChunks = false; // presets are written as opaque state chunks
  int32_t mPlugType = 0;        // 0 effect, 1 instrument, 2 MIDI effect
  bool mPlugHasUI = false;
  int32_t mPlugWidth = 0;
  int32_t mPlugHeight = 0;
  int32_t mPlugMinWidth = 10;
  int32_t mPlugMaxWidth = 100000;
  int32_t mPlugMinHeight = 10;
  int32_t mPlugMaxHeight = 100000;
  bool mPlugHostResize = false;
  const char* mBundleID = "";
  const char* mAppGroupID = "";
};

} // namespace plugin
