// The binding's plain adapters where the compressor cannot exercise them: MIDI controller
// parameters, the ordered MIDI output queue, event translation and speaker arrangements.
#include "vst3/adapter/EventTranslation.h"
#include "vst3/adapter/MidiControllers.h"
#include "vst3/adapter/MidiOutputQueue.h"
#include "vst3/adapter/ParamIds.h"
#include "vst3/adapter/SpeakerArrangements.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plugin;
using namespace plugin::vst3;
using Steinberg::Vst::Event;

namespace {

IMidiMsg Msg(int offset, uint8_t status, uint8_t d1 = 0, uint8_t d2 = 0)
{
  IMidiMsg m;
  m.mOffset = offset;
  m.mStatus = status;
  m.mData1 = d1;
  m.mData2 = d2;
  return m;
}

} // namespace

TEST(MidiControllers, ParameterValuesBecomeControllerPressureAndPitchBendMessages)
{
  IMidiMsg m;
  ASSERT_TRUE(MidiMsgFromControllerParam(0x10009, 1.0, 12, m)); // controller 7, channel 0
  EXPECT_EQ(m.mStatus, 0xB0);
  EXPECT_EQ(m.mData1, 7);
  EXPECT_EQ(m.mData2, 127);
  EXPECT_EQ(m.mOffset, 12);

  ASSERT_TRUE(MidiMsgFromControllerParam(0x10083, 0.5, 0, m)); // pitch bend
  EXPECT_EQ(m.mStatus, 0xE0);
  EXPECT_EQ(m.mData1, 0);
  EXPECT_EQ(m.mData2, 64);
  ASSERT_TRUE(MidiMsgFromControllerParam(0x10083, 1.0, 0, m));
  EXPECT_EQ(m.mData1, 127);
  EXPECT_EQ(m.mData2, 127);
  ASSERT_TRUE(MidiMsgFromControllerParam(0x10083, 0.0, 0, m));
  EXPECT_EQ(m.mData1, 0);
  EXPECT_EQ(m.mData2, 0);

  ASSERT_TRUE(MidiMsgFromControllerParam(0x10082, 0.5, 0, m)); // channel pressure
  EXPECT_EQ(m.mStatus, 0xD0);
  EXPECT_EQ(m.mData1, 63);
  EXPECT_EQ(m.mData2, 0);

  // Out-of-range values are clamped before scaling; ids outside the range and NaN are refused.
  ASSERT_TRUE(MidiMsgFromControllerParam(0x10002, 7.0, 0, m));
  EXPECT_EQ(m.mData2, 127);
  ASSERT_TRUE(MidiMsgFromControllerParam(0x10002, -1.0, 0, m));
  EXPECT_EQ(m.mData2, 0);
  EXPECT_FALSE(MidiMsgFromControllerParam(0x10001, 1.0, 0, m));
  EXPECT_FALSE(MidiMsgFromControllerParam(0x10084, 1.0, 0, m));
  EXPECT_FALSE(MidiMsgFromControllerParam(0x10002 + 130 * 15, 1.0, 0, m));
  EXPECT_FALSE(MidiMsgFromControllerParam(0x10009, std::numeric_limits<double>::quiet_NaN(), 0, m));
}

TEST(MidiControllers, AssignmentAndNames)
{
  uint32_t id = 0;
  ASSERT_TRUE(MidiControllerParamId(0, 0, 7, id));
  EXPECT_EQ(id, 0x10009u);
  ASSERT_TRUE(MidiControllerParamId(0, 0, 129, id));
  EXPECT_EQ(id, 0x10083u);
  EXPECT_FALSE(MidiControllerParamId(0, 1, 7, id));
  EXPECT_FALSE(MidiControllerParamId(1, 0, 7, id));
  EXPECT_FALSE(MidiControllerParamId(0, -1, 7, id));
  EXPECT_FALSE(MidiControllerParamId(0, 0, 130, id));

  EXPECT_EQ(MidiControllerName(0), "BankSel.MSB");
  EXPECT_EQ(MidiControllerName(7), "MainVolume");
  EXPECT_EQ(MidiControllerName(20), "Contr. 20");
  EXPECT_EQ(MidiControllerName(66), "Sostenuto ");
  EXPECT_EQ(MidiControllerName(70), "SoundCont 1");
  EXPECT_EQ(MidiControllerName(79), "SoundCont 10");
  EXPECT_EQ(MidiControllerName(91), "FX 1 Depth");
  EXPECT_EQ(MidiControllerName(95), "FX 5 Depth");
  EXPECT_EQ(MidiControllerName(102), "Contr. 102");
  EXPECT_EQ(MidiControllerName(127), "PolyModeOn");
  EXPECT_EQ(MidiControllerName(128), "Channel Aftertouch");
  EXPECT_EQ(MidiControllerName(129), "Pitch Bend");
  EXPECT_EQ(MidiControllerName(130), "");
}

TEST(MidiOutputQueue, KeepsOffsetOrderWithArrivalOrderForTies)
{
  MidiOutputQueue q;
  EXPECT_TRUE(q.Insert(Msg(10, 0x90, 1)));
  EXPECT_TRUE(q.Insert(Msg(5, 0x90, 2)));
  EXPECT_TRUE(q.Insert(Msg(10, 0x90, 3)));
  ASSERT_EQ(q.Size(), 3);
  EXPECT_EQ(q.At(0).mData1, 2);
  EXPECT_EQ(q.At(1).mData1, 1);
  EXPECT_EQ(q.At(2).mData1, 3);
  q.ShiftOffsets(8);
  EXPECT_EQ(q.At(0).mOffset, -3);
  EXPECT_EQ(q.At(2).mOffset, 2);
}

TEST(MidiOutputQueue, FixedRoomDropsWhenFullAndResizesOnlyAtSetUp)
{
  MidiOutputQueue q;
  EXPECT_EQ(q.Capacity(), 512);
  for (int i = 0; i < 512; ++i)
    ASSERT_TRUE(q.Insert(Msg(i, 0xB0)));
  EXPECT_FALSE(q.Insert(Msg(0, 0xB0)));
  EXPECT_EQ(q.Size(), 512);
  ASSERT_TRUE(q.Resize(1000));
  EXPECT_EQ(q.Capacity(), 1024);
  EXPECT_EQ(q.Size(), 512); // live messages survive
  EXPECT_TRUE(q.Insert(Msg(3, 0xB0, 99)));
  EXPECT_EQ(q.At(4).mData1, 99);
  ASSERT_TRUE(q.Resize(16)); // never below the live messages
  EXPECT_EQ(q.Capacity(), 1024);
  q.Clear();
  ASSERT_TRUE(q.Resize(16));
  EXPECT_EQ(q.Capacity(), 512);
}

TEST(EventTranslation, HostEventsToMessages)
{
  Event e{};
  e.type = Event::kNoteOnEvent;
  e.sampleOffset = 9;
  e.noteOn.channel = 3;
  e.noteOn.pitch = 60;
  e.noteOn.velocity = 0.5f;
  IMidiMsg m;
  ASSERT_TRUE(MidiMsgFromEvent(e, m));
  EXPECT_EQ(m.mStatus, 0x93);
  EXPECT_EQ(m.mData1, 60);
  EXPECT_EQ(m.mData2, 63);
  EXPECT_EQ(m.mOffset, 9);

  e = Event{};
  e.type = Event::kNoteOffEvent;
  e.noteOff.pitch = 61;
  e.noteOff.velocity = 0.9f;
  ASSERT_TRUE(MidiMsgFromEvent(e, m));
  EXPECT_EQ(m.mStatus, 0x80);
  EXPECT_EQ(m.mData2, 0); // note off always carries velocity 0

  e = Event{};
  e.type = Event::kPolyPressureEvent;
  e.polyPressure.channel = 1;
  e.polyPressure.pitch = 300;     // out of range
  e.polyPressure.pressure = 2.0f; // out of range
  ASSERT_TRUE(MidiMsgFromEvent(e, m));
  EXPECT_EQ(m.mStatus, 0xA1);
  EXPECT_EQ(m.mData1, 127);
  EXPECT_EQ(m.mData2, 127);

  e = Event{};
  e.type = Event::kNoteOnEvent;
  e.noteOn.velocity = std::numeric_limits<float>::quiet_NaN();
  ASSERT_TRUE(MidiMsgFromEvent(e, m));
  EXPECT_EQ(m.mData2, 0);

  e.type = Event::kChordEvent;
  EXPECT_FALSE(MidiMsgFromEvent(e, m));
}

TEST(EventTranslation, MessagesToHostEvents)
{
  Event e{};
  ASSERT_TRUE(EventFromMidiMsg(Msg(4, 0x92, 64, 127), e));
  EXPECT_EQ(e.type, Event::kNoteOnEvent);
  EXPECT_EQ(e.noteOn.channel, 2);
  EXPECT_EQ(e.noteOn.pitch, 64);
  EXPECT_EQ(e.noteOn.velocity, 1.0f);
  EXPECT_EQ(e.sampleOffset, 4);
  EXPECT_EQ(e.busIndex, 0);

  ASSERT_TRUE(EventFromMidiMsg(Msg(0, 0x80, 64, 0), e));
  EXPECT_EQ(e.type, Event::kNoteOffEvent);
  EXPECT_EQ(e.noteOff.velocity, 0.0f);

  const struct
  {
    uint8_t status, d1, d2;
    uint8_t number;
    int8_t value, value2;
  } legacy[] = {{0xA1, 60, 90, 131, 60, 90},
                {0xB1, 7, 100, 7, 100, 0},
                {0xC1, 5, 0, 130, 5, 0},
                {0xD1, 70, 0, 128, 70, 0},
                {0xE1, 0, 64, 129, 0, 64}};
  for (const auto& l : legacy) {
    ASSERT_TRUE(EventFromMidiMsg(Msg(0, l.status, l.d1, l.d2), e));
    EXPECT_EQ(e.type, Event::kLegacyMIDICCOutEvent);
    EXPECT_EQ(e.midiCCOut.channel, 1);
    EXPECT_EQ(e.midiCCOut.controlNumber, l.number);
    EXPECT_EQ(e.midiCCOut.value, l.value);
    EXPECT_EQ(e.midiCCOut.value2, l.value2);
  }
  EXPECT_FALSE(EventFromMidiMsg(Msg(0, 0xF8), e)); // system messages make no event
}

TEST(SpeakerArrangements, ByChannelCount)
{
  const struct
  {
    int channels;
    uint64_t arrangement;
  } table[] = {{0, 0},          {1, 0x80000},
               {2, 0x3},        {3, 0x7},
               {4, 0xF00000},   {5, 0x37},
               {6, 0x3F},       {7, 0xF7},
               {8, 0x63F},      {9, 0x7C000F00000},
               {10, 0x300063F}, {11, 0},
               {15, 0},         {16, 0x3FFC000F00000},
               {17, 0},         {-64, 0}};
  for (const auto& row : table) {
    EXPECT_EQ(ArrangementForChannels(row.channels), row.arrangement) << row.channels;
    if (row.arrangement) {
      EXPECT_EQ(ChannelsOfArrangement(row.arrangement), row.channels);
    }
  }
}
