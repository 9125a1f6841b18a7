#pragma once

#include <cstdint>

namespace plugin::vst3 {

// VST3 parameter ids of the binding. A plug-in parameter's id is its index.
constexpr uint32_t kBypassParamId = 0x10000;
// Program-list id of the preset list; no parameter carries it.
constexpr uint32_t kPresetParamId = 0x10001;
// MIDI controller parameters: kMidiCCParamStart + channel x kMidiCCsPerChannel + n, n 0-127 control
// change n, 128 channel aftertouch, 129 pitch bend. Only channel 0 exists.
constexpr uint32_t kMidiCCParamStart = 0x10002;
constexpr int kMidiCCsPerChannel = 130;
constexpr int kMidiCCAftertouch = 128;
constexpr int kMidiCCPitchBend = 129;
constexpr uint32_t kMidiCCParamEnd = kMidiCCParamStart + kMidiCCsPerChannel - 1; // 0x10083, inclusive

} // namespace plugin::vst3
