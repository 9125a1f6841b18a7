// Initialise: buses, the exported parameters, units, program names; a second initialise.
#include "framework/text/UnicodeCodec.h"
#include "tests/vst3/binding/KelmoBundle.h"

#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

std::string Utf8(const TChar* text)
{
  return plugin::text::Utf16ToUtf8(plugin::text::Utf16View(text, 128));
}

struct BusSummary
{
  std::string name;
  int channels;
  BusType type;
  uint32 flags;
  SpeakerArrangement arrangement;
};

std::vector<BusSummary> AudioBuses(IComponent& component, IAudioProcessor& processor, BusDirection dir)
{
  std::vector<BusSummary> buses;
  for (int32 i = 0; i < component.getBusCount(kAudio, dir); ++i) {
    BusInfo info{};
    EXPECT_EQ(component.getBusInfo(kAudio, dir, i, info), kResultOk);
    SpeakerArrangement arr = 0;
    EXPECT_EQ(processor.getBusArrangement(dir, i, arr), kResultOk);
    buses.push_back({Utf8(info.name), info.channelCount, info.busType, info.flags, arr});
  }
  return buses;
}

class KelmoInitialize : public KelmoBundleTest
{};

} // namespace

TEST_F(KelmoInitialize, BusesComeFromTheConfigurationWithTheMostBuses)
{
  const auto inputs = AudioBuses(*kelmo.component, *kelmo.processor, kInput);
  ASSERT_EQ(inputs.size(), 2u);
  EXPECT_EQ(inputs[0].name, "Main");
  EXPECT_EQ(inputs[0].channels, 2);
  EXPECT_EQ(inputs[0].type, kMain);
  EXPECT_EQ(inputs[0].flags, static_cast<uint32>(BusInfo::kDefaultActive));
  EXPECT_EQ(inputs[0].arrangement, SpeakerArr::kStereo);
  EXPECT_EQ(inputs[1].name, "Aux");
  EXPECT_EQ(inputs[1].channels, 2);
  EXPECT_EQ(inputs[1].type, kAux);
  EXPECT_EQ(inputs[1].flags, 0u);
  EXPECT_EQ(inputs[1].arrangement, SpeakerArr::kStereo);

  const auto outputs = AudioBuses(*kelmo.component, *kelmo.processor, kOutput);
  ASSERT_EQ(outputs.size(), 1u);
  EXPECT_EQ(outputs[0].name, "Output");
  EXPECT_EQ(outputs[0].channels, 2);
  EXPECT_EQ(outputs[0].type, kMain);
  EXPECT_EQ(outputs[0].arrangement, SpeakerArr::kStereo);

  EXPECT_EQ(kelmo.component->getBusCount(kEvent, kInput), 0);
  EXPECT_EQ(kelmo.component->getBusCount(kEvent, kOutput), 0);
  BusInfo info{};
  EXPECT_EQ(kelmo.component->getBusInfo(kAudio, kInput, 2, info), kInvalidArgument);
  EXPECT_EQ(kelmo.component->getBusInfo(kAudio, kInput, -1, info), kInvalidArgument);
}

TEST_F(KelmoInitialize, BypassFirstThenTheFortyFourParameters)
{
  IEditController& c = *kelmo.controller;
  ASSERT_EQ(c.getParameterCount(), kNumKelmoParams + 1);

  ParameterInfo bypass{};
  ASSERT_EQ(c.getParameterInfo(0, bypass), kResultOk);
  EXPECT_EQ(bypass.id, kBypassId);
  EXPECT_EQ(Utf8(bypass.title), "Bypass");
  EXPECT_EQ(Utf8(bypass.units), "");
  EXPECT_EQ(bypass.flags, 0x10009);
  EXPECT_EQ(bypass.stepCount, 1);
  EXPECT_EQ(bypass.unitId, kRootUnitId);
  EXPECT_EQ(bypass.defaultNormalizedValue, 0.0);

  std::vector<ParameterInfo> infos(kNumKelmoParams);
  for (int i = 0; i < kNumKelmoParams; ++i) {
    ASSERT_EQ(c.getParameterInfo(i + 1, infos[static_cast<size_t>(i)]), kResultOk);
    EXPECT_EQ(infos[static_cast<size_t>(i)].id, static_cast<ParamID>(i)) << "id is the index";
    EXPECT_EQ(infos[static_cast<size_t>(i)].unitId, kRootUnitId) << "no parameter has a group";
    EXPECT_TRUE(infos[static_cast<size_t>(i)].flags & ParameterInfo::kCanAutomate);
  }
  auto at = [&](int i) -> const ParameterInfo& { return infos[static_cast<size_t>(i)]; };

  EXPECT_EQ(Utf8(at(0).title), "Power");
  EXPECT_EQ(at(0).stepCount, 1);
  EXPECT_EQ(at(0).defaultNormalizedValue, 1.0);
  EXPECT_EQ(at(0).flags, ParameterInfo::kCanAutomate);

  EXPECT_EQ(Utf8(at(2).title), "L Threshold");
  EXPECT_EQ(at(2).stepCount, 0);

  EXPECT_EQ(Utf8(at(6).title), "L Sidechain Frequency");
  EXPECT_EQ(Utf8(at(6).units), "Hz");
  EXPECT_NEAR(at(6).defaultNormalizedValue, std::log(3.0) / std::log(36.0), 1e-12);
  EXPECT_NEAR(at(14).defaultNormalizedValue, std::log(30.0) / std::log(360.0), 1e-12);
  EXPECT_EQ(Utf8(at(7).units), "dB");

  EXPECT_EQ(Utf8(at(20).title), "OverSampling");
  EXPECT_EQ(at(20).stepCount, 4);
  EXPECT_EQ(at(20).flags, ParameterInfo::kCanAutomate);

  EXPECT_EQ(Utf8(at(26).title), "Plugin Scale");

  EXPECT_EQ(Utf8(at(29).title), "Triode / Pentode");
  EXPECT_EQ(Utf8(at(30).title), "Triode / Pentode");

  EXPECT_EQ(Utf8(at(31).title), "Dry Blend");
  EXPECT_EQ(Utf8(at(31).units), "%");
  EXPECT_EQ(at(31).defaultNormalizedValue, 1.0);

  EXPECT_EQ(Utf8(at(32).title), "\xCE\xBC-Diff"); // the non-ASCII title reaches the host intact
  EXPECT_EQ(at(32).title[0], u'\u03BC');
  EXPECT_EQ(Utf8(at(32).units), "%");

  for (int list : {35, 36, 37, 40, 41}) {
    EXPECT_EQ(at(list).flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList) << list;
  }
  EXPECT_EQ(at(35).stepCount, 6);
  EXPECT_EQ(at(37).stepCount, 1);
  EXPECT_EQ(at(40).stepCount, 3);
  EXPECT_NEAR(at(40).defaultNormalizedValue, 2.0 / 3.0, 1e-12);

  ParameterInfo none{};
  EXPECT_EQ(c.getParameterInfo(kNumKelmoParams + 1, none), kResultFalse);
  EXPECT_EQ(c.getParameterInfo(-1, none), kResultFalse);
}

TEST_F(KelmoInitialize, OneRootUnitAndTheNamesOfThePresetRecords)
{
  ASSERT_TRUE(kelmo.units);
  ASSERT_EQ(kelmo.units->getUnitCount(), 1);
  UnitInfo root{};
  ASSERT_EQ(kelmo.units->getUnitInfo(0, root), kResultOk);
  EXPECT_EQ(root.id, kRootUnitId);
  EXPECT_EQ(root.parentUnitId, kNoParentUnitId);
  EXPECT_EQ(Utf8(root.name), "Root");
  EXPECT_EQ(root.programListId, kNoProgramListId);
  EXPECT_EQ(kelmo.units->getUnitInfo(1, root), kResultFalse);

  String128 name{};
  ASSERT_EQ(kelmo.units->getProgramName(kPresetListId, 0, name), kResultOk);
  EXPECT_EQ(Utf8(name), "Factory default");
  ASSERT_EQ(kelmo.units->getProgramName(kPresetListId, 39, name), kResultOk);
  EXPECT_EQ(Utf8(name), "empty");
  ASSERT_EQ(kelmo.units->getProgramName(kPresetListId, 40, name), kResultOk);
  EXPECT_EQ(Utf8(name), "");
  EXPECT_EQ(kelmo.units->getProgramName(kPresetListId - 1, 0, name), kResultFalse);
  EXPECT_EQ(kelmo.units->getProgramName(kPresetListId, 0, nullptr), kInvalidArgument);
  EXPECT_EQ(kelmo.units->getProgramListCount(), 0);
  ProgramListInfo list{};
  EXPECT_EQ(kelmo.units->getProgramListInfo(0, list), kResultFalse);
}

TEST_F(KelmoInitialize, ASecondInitializeIsRefusedUntilTerminateThenRebuildsEverything)
{
  auto host = owned(new HostApplication("Another Host"));
  EXPECT_EQ(kelmo.component->initialize(host.get()), kResultFalse);
  EXPECT_EQ(kelmo.controller->getParameterCount(), kNumKelmoParams + 1);

  ASSERT_EQ(kelmo.component->terminate(), kResultOk);
  EXPECT_EQ(kelmo.controller->getParameterCount(), 0);
  EXPECT_EQ(kelmo.component->getBusCount(kAudio, kInput), 0);
  EXPECT_EQ(kelmo.units->getUnitCount(), 0);

  ASSERT_EQ(kelmo.component->initialize(host.get()), kResultOk);
  EXPECT_EQ(kelmo.controller->getParameterCount(), kNumKelmoParams + 1);
  EXPECT_EQ(kelmo.component->getBusCount(kAudio, kInput), 2);
  EXPECT_EQ(kelmo.component->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(kelmo.units->getUnitCount(), 1);
  ParameterInfo bypass{};
  ASSERT_EQ(kelmo.controller->getParameterInfo(0, bypass), kResultOk);
  EXPECT_EQ(bypass.id, kBypassId);
  // The rebuilt bypass parameter works: set, read back.
  EXPECT_EQ(kelmo.controller->setParamNormalized(kBypassId, 1.0), kResultOk);
  EXPECT_EQ(kelmo.controller->getParamNormalized(kBypassId), 1.0);
}

TEST(KelmoInitializeContext, AContextWithoutHostApplicationOrNoneAtAllStillInitialises)
{
  auto module = LoadKelmoBundle();
  ASSERT_TRUE(module);
  for (bool bare : {true, false}) {
    auto component = module->createInstance<IComponent>(kKelmoCid);
    ASSERT_TRUE(component);
    auto context = owned(new BareHostContext);
    EXPECT_EQ(component->initialize(bare ? context.get() : nullptr), kResultOk);
    FUnknownPtr<IEditController> controller(component);
    EXPECT_EQ(controller->getParameterCount(), kNumKelmoParams + 1);
    EXPECT_EQ(component->terminate(), kResultOk);
  }
}

TEST_F(KelmoInitialize, NoMidiInputSoNoControllerParametersOrMapping)
{
  ASSERT_TRUE(kelmo.midiMapping);
  ParamID id = 12345;
  EXPECT_EQ(kelmo.midiMapping->getMidiControllerAssignment(0, 0, 7, id), kResultFalse);
  EXPECT_EQ(id, 12345u);
  EXPECT_EQ(kelmo.controller->getParamNormalized(0x10009), 0.0);
  EXPECT_EQ(kelmo.controller->setParamNormalized(0x10009, 1.0), kResultFalse);
  // The preset-change id has no parameter either.
  EXPECT_EQ(kelmo.controller->setParamNormalized(kPresetListId, 0.5), kResultFalse);
}

TEST_F(KelmoInitialize, LatencyAndTail)
{
  EXPECT_EQ(kelmo.processor->getLatencySamples(), 0u);
  EXPECT_EQ(kelmo.processor->getTailSamples(), 0u);
  EXPECT_EQ(kelmo.processor->canProcessSampleSize(kSample32), kResultOk);
  EXPECT_EQ(kelmo.processor->canProcessSampleSize(kSample64), kResultOk);
  EXPECT_EQ(kelmo.processor->canProcessSampleSize(2), kResultFalse);
}
