#pragma once

#include "framework/plugin/IPluginConfig.h"

#include <array>

// The compressor's compiled-in identity and layout.

inline constexpr const char* kKelmoChannelIO = "  1-1   1.1-1   1.2-1   1.2-2   2.1-1   2.1-2   2-2   2.2-2";
inline constexpr const char* kKelmoName = "ZPH Kelmo";
inline constexpr const char* kKelmoMaker = "Quillmere";
inline constexpr int kKelmoVersion = (1 << 16) | (0 << 8) | 7; // 1.0.7
inline constexpr int kKelmoUniqueID = ('Z' << 24) | ('P' << 16) | ('H' << 8) | 'k';
inline constexpr int kKelmoMakerID = ('Q' << 24) | ('M' << 16) | ('R' << 8) | 'L';
inline constexpr const char* kKelmoBundleID = "com.quillmere.vst3.ZPHKelmo";
inline constexpr const char* kKelmoAppGroupID = "group.com.quillmere.ZPHKelmo";

// Editor size at draw scale 1, its frame rate, and how far the user may enlarge it.
inline constexpr int kKelmoEditorWidth = 899;
inline constexpr int kKelmoEditorHeight = 500;
inline constexpr int kKelmoEditorFps = 60;
inline constexpr int kKelmoMaxEditorScale = 3;

// Labels of the input channels: the main pair, then the side-chain pair.
inline constexpr std::array<const char*, 4> kKelmoInputLabels = {"Main L", "Main R", "SideChain L",
                                                                 "SideChain R"};

// The configuration record the plug-in constructor hands to its bases.
plugin::IPluginConfig MakeKelmoConfig();
