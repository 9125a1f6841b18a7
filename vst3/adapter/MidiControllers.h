#pragma once

#include "framework/queues/IMidiMsg.h"

#include <cstdint>
#include <string>

namespace plugin::vst3 {

// Title of the MIDI controller parameter n (0-127 the controller's name, 128 "Channel Aftertouch",
// 129 "Pitch Bend"); "" outside 0-129. Main thread; allocates.
std::string MidiControllerName(int n);

// The parameter id a host's MIDI controller maps to: only bus 0, channel 0 and controllers 0-129.
// False otherwise. Any thread.
bool MidiControllerParamId(int busIndex, int channel, int controller, uint32_t& id) noexcept;

// The MIDI message a change of controller parameter `id` to `normalized` (clamped to [0, 1]) stands
// for: control change, channel pressure or pitch bend on the id's channel, at sampleOffset. False
// for an id outside the controller parameters or a non-finite value. Audio thread; no allocation.
bool MidiMsgFromControllerParam(uint32_t id, double normalized, int sampleOffset, IMidiMsg& msg) noexcept;

} // namespace plugin::vst3
