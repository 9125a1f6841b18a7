// The binding with a plug-in unlike the compressor, built in-process: parameter groups as
// units, MIDI input (controller parameters, events) and output (ordered events, system-exclusive
// messages), instrument and MIDI-effect bus rules, latency and an endless tail.
#include "framework/text/UnicodeCodec.h"
#include "support/vst3/ProcessBlock.h"
#include "tools/vst3host/HostApplication.h"
#include "vst3/IPluginVST3.h"
#include "vst3/adapter/ParamIds.h"

#include <gtest/gtest.h>

#include <array>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;

namespace {

plugin::IPluginConfig ProbeConfig(int plugType, const char* io)
{
  plugin::IPluginConfig c;
  c.mNParams = 4;
  c.mNPresets = 1;
  c.mChannelIOStr = io;
  c.mPluginName = "Probe";
  c.mMfrName = "Quillmere";
  c.mLatency = 32;
  c.mPlugDoesMidiIn = true;
  c.mPlugDoesMidiOut = true;
  c.mPlugType = plugType;
  return c;
}

// Passes audio through, records incoming MIDI without allocating, and sends what a test asks.
class ProbePlug : public plugin::IPluginVST3
{
public:
  explicit ProbePlug(int plugType = 0, const char* io = "1-1 2-2")
      : IPluginVST3(plugin::InstanceInfo{}, ProbeConfig(plugType, io))
  {
    GetParam(0)->InitDouble("Drive", 0.0, 0.0, 10.0, 0.1, "", 0, "A");
    GetParam(1)->InitInt("Mode", 0, 0, 3, "", 0, "B");
    GetParam(2)->InitDouble("Tone", 0.0, 0.0, 1.0, 0.01, "", 0, "A");
    GetParam(3)->InitBool("Solo", false);
  }
  static IPtr<ProbePlug> Make(int plugType = 0, const char* io = "1-1 2-2")
  {
    return IPtr<ProbePlug>(new ProbePlug(plugType, io), false);
  }

  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    for (const plugin::IMidiMsg& m : toSend)
      if (m.mStatus) SendMidiMsg(m);
    IPluginProcessor::ProcessBlock(inputs, outputs, nFrames);
  }
  void ProcessMidiMsg(const plugin::IMidiMsg& msg) override
  {
    if (nReceived < static_cast<int>(received.size())) received[static_cast<size_t>(nReceived++)] = msg;
  }

  std::array<plugin::IMidiMsg, 16> received{};
  int nReceived = 0;
  std::array<plugin::IMidiMsg, 4> toSend{};
};

std::string Utf8(const TChar* text)
{
  return plugin::text::Utf16ToUtf8(plugin::text::Utf16View(text, 128));
}

class Probe : public ::testing::Test
{
protected:
  void SetUp() override
  {
    plug = ProbePlug::Make();
    host = owned(new HostApplication);
    ASSERT_EQ(plug->initialize(host.get()), kResultOk);
  }
  void TearDown() override { plug->terminate(); }

  std::vector<UnitInfo> Units()
  {
    std::vector<UnitInfo> units(static_cast<size_t>(plug->getUnitCount()));
    for (size_t i = 0; i < units.size(); ++i)
      EXPECT_EQ(plug->getUnitInfo(static_cast<int32>(i), units[i]), kResultOk);
    return units;
  }

  IPtr<ProbePlug> plug;
  IPtr<HostApplication> host;
};

} // namespace

TEST_F(Probe, GroupsBecomeUnitsAndMidiControllersGetTheirOwn)
{
  const auto units = Units();
  ASSERT_EQ(units.size(), 5u);
  EXPECT_EQ(Utf8(units[1].name), "A");
  EXPECT_EQ(units[1].id, 1);
  EXPECT_EQ(units[1].parentUnitId, kRootUnitId);
  EXPECT_EQ(Utf8(units[2].name), "B");
  EXPECT_EQ(units[2].id, 2);
  EXPECT_EQ(Utf8(units[3].name), "MIDI CCs");
  EXPECT_EQ(units[3].id, 4);
  EXPECT_EQ(Utf8(units[4].name), "CH1");
  EXPECT_EQ(units[4].id, 5);
  EXPECT_EQ(units[4].parentUnitId, 4);

  ASSERT_EQ(plug->getParameterCount(), 1 + 4 + 130);
  const int expectedUnits[] = {1, 2, 1, 0};
  for (int i = 0; i < 4; ++i) {
    ParameterInfo info{};
    ASSERT_EQ(plug->getParameterInfo(i + 1, info), kResultOk);
    EXPECT_EQ(info.unitId, expectedUnits[i]) << i;
  }
  ParameterInfo mode{};
  ASSERT_EQ(plug->getParameterInfo(2, mode), kResultOk);
  EXPECT_EQ(mode.stepCount, 3);
  ParameterInfo cc7{}, bend{};
  ASSERT_EQ(plug->getParameterInfo(1 + 4 + 7, cc7), kResultOk);
  EXPECT_EQ(cc7.id, 0x10009u);
  EXPECT_EQ(Utf8(cc7.title), "MainVolume");
  EXPECT_EQ(cc7.unitId, 5);
  EXPECT_EQ(cc7.flags, 0);
  ASSERT_EQ(plug->getParameterInfo(1 + 4 + 129, bend), kResultOk);
  EXPECT_EQ(Utf8(bend.title), "Pitch Bend");
  EXPECT_EQ(bend.defaultNormalizedValue, 0.5);

  ParamID id = 0;
  EXPECT_EQ(plug->getMidiControllerAssignment(0, 0, 7, id), kResultOk);
  EXPECT_EQ(id, 0x10009u);
  EXPECT_EQ(plug->getMidiControllerAssignment(0, 1, 7, id), kResultFalse);
  EXPECT_EQ(plug->getMidiControllerAssignment(1, 0, 7, id), kResultFalse);

  // A second life after terminate has the same units, not fewer.
  ASSERT_EQ(plug->terminate(), kResultOk);
  ASSERT_EQ(plug->initialize(host.get()), kResultOk);
  EXPECT_EQ(Units().size(), 5u);
  EXPECT_EQ(Utf8(Units()[1].name), "A");
}

TEST_F(Probe, BusesLatencyAndTail)
{
  EXPECT_EQ(plug->getBusCount(kEvent, kInput), 1);
  EXPECT_EQ(plug->getBusCount(kEvent, kOutput), 1);
  BusInfo midiIn{};
  ASSERT_EQ(plug->getBusInfo(kEvent, kInput, 0, midiIn), kResultOk);
  EXPECT_EQ(Utf8(midiIn.name), "MIDI Input");
  EXPECT_EQ(midiIn.channelCount, 1);
  // Two configurations with one bus each: the later one ("2-2") gives the buses.
  BusInfo in{};
  ASSERT_EQ(plug->getBusInfo(kAudio, kInput, 0, in), kResultOk);
  EXPECT_EQ(in.channelCount, 2);
  EXPECT_EQ(Utf8(in.name), "Input");

  EXPECT_EQ(plug->getLatencySamples(), 32u);
  plug->SetTailSize(0x7FFFFFFF);
  EXPECT_EQ(plug->getTailSamples(), 0xFFFFFFFFu);
  plug->SetTailSize(4800);
  EXPECT_EQ(plug->getTailSamples(), 4800u);
}

TEST(ProbeKinds, InstrumentsHaveNoBypassAndMidiEffectsADummyOutput)
{
  auto host = owned(new HostApplication);
  auto instrument = ProbePlug::Make(1);
  ASSERT_EQ(instrument->initialize(host.get()), kResultOk);
  ParameterInfo first{};
  ASSERT_EQ(instrument->getParameterInfo(0, first), kResultOk);
  EXPECT_EQ(first.id, 0u);
  EXPECT_EQ(instrument->getParameterCount(), 4 + 130);
  instrument->terminate();

  auto midiEffect = ProbePlug::Make(2, "1-0");
  ASSERT_EQ(midiEffect->initialize(host.get()), kResultOk);
  ASSERT_EQ(midiEffect->getBusCount(kAudio, kOutput), 1);
  BusInfo dummy{};
  ASSERT_EQ(midiEffect->getBusInfo(kAudio, kOutput, 0, dummy), kResultOk);
  EXPECT_EQ(Utf8(dummy.name), "Dummy Output");
  EXPECT_EQ(dummy.channelCount, 0);
  midiEffect->terminate();
}

TEST_F(Probe, MidiInFromControllerParametersEventsAndTheEditor)
{
  ProcessSetup setup = MakeSetup(kSample64, 48000.0, 64);
  ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
  ProcessBlock block(kSample64, {2}, {2}, 64);
  block.inputChanges().add(0x10009, 3, 1.0);
  block.inputChanges().add(0x10083, 4, 0.5);
  Event on{};
  on.type = Event::kNoteOnEvent;
  on.sampleOffset = 7;
  on.noteOn.pitch = 60;
  on.noteOn.velocity = 1.0f;
  block.inputEvents().addEvent(on);
  Event off{};
  off.type = Event::kNoteOffEvent;
  off.sampleOffset = 9;
  off.noteOff.pitch = 60;
  off.noteOff.velocity = 1.0f;
  block.inputEvents().addEvent(off);
  plugin::IMidiMsg fromEditor;
  fromEditor.mStatus = 0xC0;
  fromEditor.mData1 = 5;
  plug->SendMidiMsgFromUI(fromEditor);
  ASSERT_EQ(block.process(*plug), kResultOk);

  ASSERT_EQ(plug->nReceived, 5);
  const auto& r = plug->received;
  EXPECT_EQ(r[0].mStatus, 0xB0);
  EXPECT_EQ(r[0].mData1, 7);
  EXPECT_EQ(r[0].mData2, 127);
  EXPECT_EQ(r[0].mOffset, 3);
  EXPECT_EQ(r[1].mStatus, 0xE0);
  EXPECT_EQ(r[1].mData2, 64);
  EXPECT_EQ(r[2].mStatus, 0x90);
  EXPECT_EQ(r[2].mData2, 127);
  EXPECT_EQ(r[3].mStatus, 0x80);
  EXPECT_EQ(r[3].mData2, 0);
  EXPECT_EQ(r[4].mStatus, 0xC0);
}

TEST_F(Probe, MidiOutComesOrderedAndSysExOnePerBlock)
{
  ProcessSetup setup = MakeSetup(kSample32, 48000.0, 64);
  ASSERT_EQ(plug->setupProcessing(setup), kResultOk);
  plug->toSend = {};
  plug->toSend[0] = plugin::IMidiMsg{10, 0x90, 60, 127};
  plug->toSend[1] = plugin::IMidiMsg{5, 0xB0, 7, 100};
  plug->toSend[2] = plugin::IMidiMsg{10, 0x80, 60, 0};
  const uint8_t sysexBytes[] = {0xF0, 0x7D, 0x01, 0xF7};
  plug->SendSysexMsgFromUI(plugin::ISysEx{2, 4, sysexBytes});
  plug->SendSysexMsgFromUI(plugin::ISysEx{3, 4, sysexBytes});

  ProcessBlock block(kSample32, {2}, {2}, 64);
  ASSERT_EQ(block.process(*plug), kResultOk);
  const auto& events = block.outputEvents().events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].type, Event::kLegacyMIDICCOutEvent);
  EXPECT_EQ(events[0].sampleOffset, 5);
  EXPECT_EQ(events[1].type, Event::kNoteOnEvent);
  EXPECT_EQ(events[2].type, Event::kNoteOffEvent);
  EXPECT_EQ(events[2].sampleOffset, 10);
  EXPECT_EQ(events[3].type, Event::kDataEvent);
  EXPECT_EQ(events[3].sampleOffset, 2);
  ASSERT_EQ(events[3].data.size, 4u);
  EXPECT_EQ(events[3].data.bytes[1], 0x7D);

  // No output list this time: the messages wait, counted from the next block's start.
  plug->toSend = {};
  plug->toSend[0] = plugin::IMidiMsg{40, 0xB0, 1, 1};
  block.setEventListsEnabled(false);
  ASSERT_EQ(block.process(*plug), kResultOk);
  plug->toSend = {};
  block.setEventListsEnabled(true);
  ASSERT_EQ(block.process(*plug), kResultOk);
  const auto& later = block.outputEvents().events();
  ASSERT_EQ(later.size(), 2u);
  EXPECT_EQ(later[0].sampleOffset, 40 - 64);
  EXPECT_EQ(later[1].type, Event::kDataEvent); // the second system-exclusive message
  EXPECT_EQ(later[1].sampleOffset, 3);
}
