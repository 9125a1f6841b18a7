#pragma once

#include "framework/queues/IMidiMsg.h"

#include "pluginterfaces/vst/ivstevents.h"

namespace plugin::vst3 {

// Host event -> MIDI message for note on (velocity x 127 in single precision), note off (velocity
// 0) and poly pressure (pressure x 127); channel, pitch and the scaled value are kept in range.
// False for every other event type. Audio thread; no allocation.
bool MidiMsgFromEvent(const Steinberg::Vst::Event& event, IMidiMsg& msg) noexcept;

// MIDI message -> host output event on bus 0: note off and note on as note events (velocity
// data2 / 127), poly pressure, control change, program change, channel pressure and pitch bend
// as legacy controller events. False for system messages. Audio thread; no allocation.
bool EventFromMidiMsg(const IMidiMsg& msg, Steinberg::Vst::Event& event) noexcept;

} // namespace plugin::vst3
