#include "vst3/adapter/EventTranslation.h"

#include <algorithm>
#include <cmath>

namespace plugin::vst3 {

using Steinberg::Vst::Event;

namespace {

// Legacy controller numbers of the host's output events.
constexpr uint8_t kCCAftertouch = 128;
constexpr uint8_t kCCPitchBend = 129;
constexpr uint8_t kCCProgramChange = 130;
constexpr uint8_t kCCPolyPressure = 131;

uint8_t Channel(int channel) noexcept
{
  return static_cast<uint8_t>(channel & 0x0F);
}

uint8_t Data7(int value) noexcept
{
  return static_cast<uint8_t>(std::clamp(value, 0, 127));
}

// A 0..1 amount as 0..127; NaN reads as 0.
template <typename T> uint8_t Scaled127(T amount) noexcept
{
  if (!(amount > T(0))) return 0;
  return static_cast<uint8_t>(std::min(amount, T(1)) * T(127));
}

} // namespace

bool MidiMsgFromEvent(const Event& event, IMidiMsg& msg) noexcept
{
  msg = IMidiMsg{};
  msg.mOffset = event.sampleOffset;
  switch (event.type) {
  case Event::kNoteOnEvent:
    msg.mStatus = static_cast<uint8_t>(0x90 | Channel(event.noteOn.channel));
    msg.mData1 = Data7(event.noteOn.pitch);
    msg.mData2 = Scaled127<float>(event.noteOn.velocity);
    return true;
  case Event::kNoteOffEvent:
    msg.mStatus = static_cast<uint8_t>(0x80 | Channel(event.noteOff.channel));
    msg.mData1 = Data7(event.noteOff.pitch);
    msg.mData2 = 0;
    return true;
  case Event::kPolyPressureEvent:
    msg.mStatus = static_cast<uint8_t>(0xA0 | Channel(event.polyPressure.channel));
    msg.mData1 = Data7(event.polyPressure.pitch);
    msg.mData2 = Scaled127<double>(event.polyPressure.pressure);
    return true;
  default:
    return false;
  }
}

bool EventFromMidiMsg(const IMidiMsg& msg, Event& event) noexcept
{
  event = Event{};
  event.busIndex = 0;
  event.sampleOffset = msg.mOffset;
  const int8_t channel = static_cast<int8_t>(msg.mStatus & 0x0F);
  auto legacy = [&](uint8_t number, uint8_t value, uint8_t value2) {
    event.type = Event::kLegacyMIDICCOutEvent;
    event.midiCCOut.channel = channel;
    event.midiCCOut.controlNumber = number;
    event.midiCCOut.value = static_cast<int8_t>(value);
    event.midiCCOut.value2 = static_cast<int8_t>(value2);
  };
  switch (msg.mStatus & 0xF0) {
  case 0x80:
    event.type = Event::kNoteOffEvent;
    event.noteOff.channel = channel;
    event.noteOff.pitch = msg.mData1;
    event.noteOff.velocity = static_cast<float>(msg.mData2) / 127.0f;
    return true;
  case 0x90:
    event.type = Event::kNoteOnEvent;
    event.noteOn.channel = channel;
    event.noteOn.pitch = msg.mData1;
    event.noteOn.tuning = 0.0f;
    event.noteOn.velocity = static_cast<float>(msg.mData2) / 127.0f;
    return true;
  case 0xA0:
    legacy(kCCPolyPressure, msg.mData1, msg.mData2);
    return true;
  case 0xB0:
    legacy(msg.mData1, msg.mData2, 0);
    return true;
  case 0xC0:
    legacy(kCCProgramChange, msg.mData1, 0);
    return true;
  case 0xD0:
    legacy(kCCAftertouch, msg.mData1, msg.mData2);
    return true;
  case 0xE0:
    legacy(kCCPitchBend, msg.mData1, msg.mData2);
    return true;
  default:
    return false;
  }
}

} // namespace plugin::vst3
