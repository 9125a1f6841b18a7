#include "support/vst3/ComponentHandler.h"
#include "support/vst3/ProcessBlock.h"
#include "tests/vst3/layer/GainBundle.h"

#include "framework/text/UnicodeCodec.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;
namespace tp = plugin::testplug;

namespace {

std::u16string Text(const String128 s)
{
  return std::u16string(plugin::text::Utf16View(s, 128));
}

class EffectTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    module = LoadGainBundle();
    ASSERT_TRUE(module);
    gain = GainInstance::Create(*module);
    ASSERT_TRUE(gain.processor && gain.component && gain.controller);
  }
  void TearDown() override { gain.destroy(); }

  std::unique_ptr<Module> module;
  GainInstance gain;
};

} // namespace

TEST_F(EffectTest, BusesAndTheirInfo)
{
  IComponent& c = *gain.component;
  EXPECT_EQ(c.getBusCount(kAudio, kInput), 2);
  EXPECT_EQ(c.getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(c.getBusCount(kEvent, kInput), 0);
  EXPECT_EQ(c.getBusCount(kEvent, kOutput), 0);

  BusInfo info{};
  ASSERT_EQ(c.getBusInfo(kAudio, kInput, 0, info), kResultOk);
  EXPECT_EQ(Text(info.name), u"Main In");
  EXPECT_EQ(info.channelCount, 2);
  EXPECT_EQ(info.busType, kMain);
  EXPECT_EQ(info.flags, static_cast<uint32>(BusInfo::kDefaultActive));
  EXPECT_EQ(info.mediaType, kAudio);
  EXPECT_EQ(info.direction, kInput);

  ASSERT_EQ(c.getBusInfo(kAudio, kInput, 1, info), kResultOk);
  EXPECT_EQ(Text(info.name), u"\u03BC Side Chain"); // non-ASCII bus names reach the host intact
  EXPECT_EQ(info.busType, kAux);
  EXPECT_EQ(info.flags, 0u);

  ASSERT_EQ(c.getBusInfo(kAudio, kOutput, 0, info), kResultOk);
  EXPECT_EQ(Text(info.name), u"Main Out");
  EXPECT_EQ(info.direction, kOutput);

  EXPECT_EQ(c.getBusInfo(kAudio, kInput, 2, info), kInvalidArgument);
  EXPECT_EQ(c.getBusInfo(kAudio, kOutput, -1, info), kInvalidArgument);
  EXPECT_EQ(c.getBusInfo(kEvent, kInput, 0, info), kInvalidArgument);
  EXPECT_EQ(c.getBusInfo(7, kInput, 0, info), kInvalidArgument);

  EXPECT_EQ(c.activateBus(kAudio, kInput, 1, true), kResultOk);
  EXPECT_EQ(c.activateBus(kAudio, kInput, 2, true), kInvalidArgument);
  EXPECT_EQ(c.activateBus(kEvent, kOutput, 0, true), kInvalidArgument);

  TUID controllerClass;
  EXPECT_EQ(c.getControllerClassId(controllerClass), kNotImplemented);
  EXPECT_EQ(c.setIoMode(kSimple), kNotImplemented);
  RoutingInfo in{}, out{};
  EXPECT_EQ(c.getRoutingInfo(in, out), kNotImplemented);
}

TEST_F(EffectTest, ArrangementsAndProcessSetup)
{
  IAudioProcessor& p = *gain.processor;
  SpeakerArrangement arr = 0;
  ASSERT_EQ(p.getBusArrangement(kInput, 0, arr), kResultOk);
  EXPECT_EQ(arr, SpeakerArr::kStereo);
  EXPECT_EQ(p.getBusArrangement(kOutput, 1, arr), kInvalidArgument);

  // Counts must match the buses; the arrangements are stored.
  SpeakerArrangement ins[2] = {SpeakerArr::kMono, SpeakerArr::kMono};
  SpeakerArrangement outs[1] = {SpeakerArr::kMono};
  EXPECT_EQ(p.setBusArrangements(ins, 2, outs, 1), kResultOk);
  ASSERT_EQ(p.getBusArrangement(kOutput, 0, arr), kResultOk);
  EXPECT_EQ(arr, SpeakerArr::kMono);
  EXPECT_EQ(p.setBusArrangements(ins, 1, outs, 1), kResultFalse);
  EXPECT_EQ(p.setBusArrangements(ins, 3, outs, 1), kResultFalse);
  EXPECT_EQ(p.setBusArrangements(nullptr, 2, outs, 1), kInvalidArgument);
  EXPECT_EQ(p.setBusArrangements(ins, -1, outs, 1), kInvalidArgument);
  ASSERT_EQ(p.getBusArrangement(kOutput, 0, arr), kResultOk);
  EXPECT_EQ(arr, SpeakerArr::kMono); // refusals change nothing

  EXPECT_EQ(p.canProcessSampleSize(kSample32), kResultTrue);
  EXPECT_EQ(p.canProcessSampleSize(kSample64), kResultTrue);
  EXPECT_EQ(p.canProcessSampleSize(2), kResultFalse);
  EXPECT_EQ(p.canProcessSampleSize(-1), kResultFalse);

  ProcessSetup s32 = MakeSetup(kSample32, 44100.0, 256);
  ProcessSetup s64 = MakeSetup(kSample64, 96000.0, 1024, kOffline);
  ProcessSetup bad = MakeSetup(5, 48000.0, 64);
  EXPECT_EQ(p.setupProcessing(s32), kResultOk);
  EXPECT_EQ(p.setupProcessing(s64), kResultOk);
  EXPECT_EQ(p.setupProcessing(bad), kResultFalse);
  EXPECT_EQ(p.getLatencySamples(), 0u);
  EXPECT_EQ(p.getTailSamples(), static_cast<uint32>(kNoTail));
  EXPECT_EQ(gain.component->setActive(true), kResultOk);
  EXPECT_EQ(p.setProcessing(true), kResultOk);
  EXPECT_EQ(p.setProcessing(false), kResultOk);
  EXPECT_EQ(gain.component->setActive(false), kResultOk);
}

TEST_F(EffectTest, OneObjectAnswersEveryInterface)
{
  FUnknown* base = gain.processor.get();
  FUnknownPtr<FUnknown> identity(base);
  ASSERT_TRUE(identity);
  // Each interface reached from any other leads back to the same object.
  FUnknownPtr<IComponent> component(gain.controller);
  FUnknownPtr<IAudioProcessor> processor(gain.component);
  FUnknownPtr<IEditController> controller(gain.processor);
  FUnknownPtr<IEditController2> controller2(gain.processor);
  FUnknownPtr<IUnitInfo> units(gain.processor);
  FUnknownPtr<IPluginBase> pluginBase(gain.processor);
  FUnknownPtr<IConnectionPoint> connection(gain.processor);
  EXPECT_EQ(component.get(), gain.component.get());
  EXPECT_EQ(processor.get(), gain.processor.get());
  EXPECT_EQ(controller.get(), gain.controller.get());
  EXPECT_TRUE(controller2 && units && pluginBase && connection);
  FUnknownPtr<FUnknown> identity2(gain.controller);
  EXPECT_EQ(identity.get(), identity2.get());
  FUnknownPtr<IPlugView> noView(gain.processor);
  EXPECT_FALSE(noView);
  EXPECT_EQ(gain.controller->createView("editor"), nullptr);
}

TEST_F(EffectTest, ParameterInfoAndValues)
{
  IEditController& c = *gain.controller;
  ASSERT_EQ(c.getParameterCount(), 1);
  ParameterInfo info{};
  ASSERT_EQ(c.getParameterInfo(0, info), kResultOk);
  EXPECT_EQ(info.id, tp::kGainParamId);
  EXPECT_EQ(Text(info.title), u"\u03BC-Gain");
  EXPECT_EQ(Text(info.units), u"\u00D7");
  EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, tp::kGainDefault);
  EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
  // Out-of-range indices and values are refused, never thrown through the host.
  EXPECT_EQ(c.getParameterInfo(1, info), kResultFalse);
  EXPECT_EQ(c.getParameterInfo(-1, info), kResultFalse);

  EXPECT_DOUBLE_EQ(c.getParamNormalized(tp::kGainParamId), 0.5);
  EXPECT_EQ(c.setParamNormalized(tp::kGainParamId, 0.75), kResultOk);
  EXPECT_DOUBLE_EQ(c.getParamNormalized(tp::kGainParamId), 0.75);
  EXPECT_EQ(c.setParamNormalized(tp::kGainParamId, std::numeric_limits<double>::quiet_NaN()),
            kInvalidArgument);
  EXPECT_EQ(c.setParamNormalized(tp::kGainParamId, std::numeric_limits<double>::infinity()),
            kInvalidArgument);
  EXPECT_DOUBLE_EQ(c.getParamNormalized(tp::kGainParamId), 0.75);
  EXPECT_EQ(c.setParamNormalized(99, 0.5), kResultFalse);

  // Text both ways.
  String128 text{};
  ASSERT_EQ(c.getParamStringByValue(tp::kGainParamId, 0.25, text), kResultOk);
  ParamValue back = -1.0;
  ASSERT_EQ(c.getParamValueByString(tp::kGainParamId, text, back), kResultOk);
  EXPECT_NEAR(back, 0.25, 1e-4);
  EXPECT_EQ(c.getParamStringByValue(tp::kGainParamId, std::numeric_limits<double>::quiet_NaN(), text),
            kInvalidArgument);
  EXPECT_EQ(c.getParamStringByValue(tp::kGainParamId, 0.5, nullptr), kInvalidArgument);
  EXPECT_EQ(c.getParamStringByValue(tp::kGainParamId, 3.0, text), kResultOk);
  String128 one{};
  ASSERT_EQ(c.getParamStringByValue(tp::kGainParamId, 1.0, one), kResultOk);
  EXPECT_EQ(Text(text), Text(one)); // clamped
  EXPECT_EQ(c.getParamStringByValue(77, 0.5, text), kResultFalse);
  EXPECT_EQ(c.getParamValueByString(tp::kGainParamId, nullptr, back), kInvalidArgument);

  FUnknownPtr<IUnitInfo> units(gain.processor);
  ASSERT_TRUE(units);
  EXPECT_EQ(units->getUnitCount(), 0); // the test effect declares no units
  UnitInfo unit{};
  EXPECT_EQ(units->getUnitInfo(0, unit), kResultFalse);
  EXPECT_EQ(units->getUnitInfo(-3, unit), kResultFalse);
}

TEST_F(EffectTest, ComponentHandlerIsHeldUntilTerminate)
{
  auto handler = owned(new ComponentHandler);
  ASSERT_EQ(gain.controller->setComponentHandler(handler), kResultTrue);
  EXPECT_GE(handler->refCount(), 2u);
  gain.component->terminate();
  EXPECT_EQ(handler->refCount(), 1u);
  ASSERT_EQ(gain.component->initialize(gain.host.get()), kResultOk); // for TearDown
}

TEST_F(EffectTest, InitializeTwiceFailsAndTerminateStartsAfresh)
{
  EXPECT_EQ(gain.component->initialize(gain.host.get()), kResultFalse);
  EXPECT_EQ(gain.component->getBusCount(kAudio, kInput), 2); // nothing added twice

  ASSERT_EQ(gain.component->terminate(), kResultOk);
  EXPECT_EQ(gain.component->getBusCount(kAudio, kInput), 0);
  EXPECT_EQ(gain.controller->getParameterCount(), 0);

  // A second initialise rebuilds buses and parameters once, also without a host application.
  auto bare = owned(new BareHostContext);
  ASSERT_EQ(gain.component->initialize(bare.get()), kResultOk);
  EXPECT_EQ(gain.component->getBusCount(kAudio, kInput), 2);
  EXPECT_EQ(gain.component->getBusCount(kAudio, kOutput), 1);
  EXPECT_EQ(gain.controller->getParameterCount(), 1);
  gain.component->terminate();
  EXPECT_EQ(bare->refCount(), 1u); // the context is released by terminate
  ASSERT_EQ(gain.component->initialize(gain.host.get()), kResultOk);
}
