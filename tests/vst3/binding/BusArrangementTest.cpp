// setBusArrangements: layouts the channel-I/O configurations allow are taken and rebuild the
// buses; others are refused with the old buses kept; two hosts get every request accepted.
#include "framework/text/UnicodeCodec.h"
#include "tests/vst3/binding/KelmoBundle.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

struct Layout
{
  std::vector<SpeakerArrangement> inputs;
  std::vector<SpeakerArrangement> outputs;
};

std::vector<SpeakerArrangement> Arrangements(IAudioProcessor& processor, IComponent& component,
                                             BusDirection dir)
{
  std::vector<SpeakerArrangement> arr;
  for (int32 i = 0; i < component.getBusCount(kAudio, dir); ++i) {
    SpeakerArrangement a = 0;
    EXPECT_EQ(processor.getBusArrangement(dir, i, a), kResultOk);
    arr.push_back(a);
  }
  return arr;
}

tresult Request(IAudioProcessor& processor, Layout layout)
{
  return processor.setBusArrangements(layout.inputs.data(), static_cast<int32>(layout.inputs.size()),
                                      layout.outputs.data(), static_cast<int32>(layout.outputs.size()));
}

std::string BusName(IComponent& component, BusDirection dir, int32 index)
{
  BusInfo info{};
  EXPECT_EQ(component.getBusInfo(kAudio, dir, index, info), kResultOk);
  return plugin::text::Utf16ToUtf8(plugin::text::Utf16View(info.name, 128));
}

const SpeakerArrangement kStereo = SpeakerArr::kStereo;
const SpeakerArrangement kMono = SpeakerArr::kMono;

class KelmoArrangements : public KelmoBundleTest
{};

} // namespace

TEST_F(KelmoArrangements, AcceptedLayoutsRebuildTheBuses)
{
  IAudioProcessor& p = *kelmo.processor;
  IComponent& c = *kelmo.component;

  ASSERT_EQ(Request(p, {{kStereo}, {kStereo}}), kResultOk);
  EXPECT_EQ(Arrangements(p, c, kInput), (std::vector<SpeakerArrangement>{kStereo}));
  EXPECT_EQ(Arrangements(p, c, kOutput), (std::vector<SpeakerArrangement>{kStereo}));
  EXPECT_EQ(BusName(c, kInput, 0), "Input");
  EXPECT_EQ(BusName(c, kOutput, 0), "Output");

  ASSERT_EQ(Request(p, {{kStereo, kStereo}, {kStereo}}), kResultOk);
  EXPECT_EQ(Arrangements(p, c, kInput), (std::vector<SpeakerArrangement>{kStereo, kStereo}));
  EXPECT_EQ(BusName(c, kInput, 0), "Main");
  EXPECT_EQ(BusName(c, kInput, 1), "Aux");
  BusInfo aux{};
  ASSERT_EQ(c.getBusInfo(kAudio, kInput, 1, aux), kResultOk);
  EXPECT_EQ(aux.busType, kAux);
  EXPECT_EQ(aux.flags, 0u);

  ASSERT_EQ(Request(p, {{kStereo, kMono}, {kStereo}}), kResultOk);
  EXPECT_EQ(Arrangements(p, c, kInput), (std::vector<SpeakerArrangement>{kStereo, kMono}));

  ASSERT_EQ(Request(p, {{kMono}, {kMono}}), kResultOk);
  EXPECT_EQ(Arrangements(p, c, kInput), (std::vector<SpeakerArrangement>{kMono}));
  EXPECT_EQ(Arrangements(p, c, kOutput), (std::vector<SpeakerArrangement>{kMono}));
  BusInfo mono{};
  ASSERT_EQ(c.getBusInfo(kAudio, kInput, 0, mono), kResultOk);
  EXPECT_EQ(mono.channelCount, 1);
}

TEST_F(KelmoArrangements, RefusedLayoutsKeepTheOldBuses)
{
  IAudioProcessor& p = *kelmo.processor;
  IComponent& c = *kelmo.component;
  const auto inputsBefore = Arrangements(p, c, kInput);
  const auto outputsBefore = Arrangements(p, c, kOutput);

  const SpeakerArrangement kSurround = SpeakerArr::k51;
  for (const Layout& layout : std::vector<Layout>{{{kMono}, {kStereo}},
                                                  {{kStereo}, {kMono}},
                                                  {{kStereo, kStereo, kStereo}, {kStereo}},
                                                  {{kStereo}, {kStereo, kStereo}},
                                                  {{kSurround}, {kSurround}},
                                                  {{}, {kStereo}},
                                                  {{kStereo}, {}}}) {
    EXPECT_EQ(Request(p, layout), kResultFalse)
        << layout.inputs.size() << " in, " << layout.outputs.size() << " out";
    EXPECT_EQ(Arrangements(p, c, kInput), inputsBefore);
    EXPECT_EQ(Arrangements(p, c, kOutput), outputsBefore);
  }
  EXPECT_EQ(p.setBusArrangements(nullptr, 1, nullptr, 0), kInvalidArgument);
  EXPECT_EQ(p.setBusArrangements(nullptr, -1, nullptr, 0), kInvalidArgument);
  EXPECT_EQ(Arrangements(p, c, kInput), inputsBefore);
}

TEST(KelmoArrangementHosts, TheseHostsHaveEveryRequestAcceptedWithNothingChanged)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  for (const char* host : {"Ardour", "Harrison Mixbus 32C"}) {
    KelmoInstance k = KelmoInstance::Create(*module, host);
    SpeakerArrangement in = SpeakerArr::kMono;
    SpeakerArrangement out = SpeakerArr::kStereo;
    EXPECT_EQ(k.processor->setBusArrangements(&in, 1, &out, 1), kResultOk) << host;
    EXPECT_EQ(k.component->getBusCount(kAudio, kInput), 2) << host;
    SpeakerArrangement arr = 0;
    EXPECT_EQ(k.processor->getBusArrangement(kInput, 0, arr), kResultOk);
    EXPECT_EQ(arr, SpeakerArr::kStereo) << host;
    k.Destroy();
  }
}
