// Automation and the controller: the last point of a queue, ids without a plug-in parameter,
// normalised get and set, text conversions both ways.
#include "framework/text/UnicodeCodec.h"
#include "tests/vst3/binding/ProcessSupport.h"
#include "tools/vst3host/MemoryStream.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

constexpr double kRate = 48000.0;
constexpr int kBlock = 64;

// Real value of plug-in parameter idx as the saved state holds it.
double StateValue(IComponent& component, int idx)
{
  auto stream = owned(new MemoryStream);
  EXPECT_EQ(component.getState(stream.get()), kResultOk);
  double value = std::numeric_limits<double>::quiet_NaN();
  if (stream->bytes().size() >= static_cast<size_t>(idx + 1) * sizeof(double))
    std::memcpy(&value, stream->bytes().data() + static_cast<size_t>(idx) * sizeof(double), sizeof(double));
  return value;
}

std::string Text(IEditController& c, ParamID id, ParamValue normalized)
{
  String128 text{};
  EXPECT_EQ(c.getParamStringByValue(id, normalized, text), kResultOk);
  return plugin::text::Utf16ToUtf8(plugin::text::Utf16View(text, 128));
}

ParamValue FromText(IEditController& c, ParamID id, const std::string& utf8)
{
  String128 text{};
  plugin::text::Utf8ToUtf16(utf8, text, 128);
  ParamValue n = -1.0;
  EXPECT_EQ(c.getParamValueByString(id, text, n), kResultOk);
  return n;
}

class KelmoAutomation : public KelmoBundleTest
{
protected:
  void SetUp() override
  {
    KelmoBundleTest::SetUp();
    kelmo.Start(kSample64, kRate, kBlock);
  }
  void TearDown() override
  {
    if (kelmo.processor) kelmo.Stop();
    KelmoBundleTest::TearDown();
  }
};

} // namespace

TEST_F(KelmoAutomation, OnlyTheLastPointOfAQueueApplies)
{
  const auto inputs = WithSidechain(TestSignal(kBlock * 20));
  ProcessBlock block(kSample64, {2, 2}, {2}, kBlock);
  block.context().tempo = 120.0;
  std::vector<std::vector<double>> out;
  ASSERT_EQ(RunSignal(*kelmo.processor, block, inputs, {kBlock}, out,
                      [](int start, int, ProcessBlock& b) {
                        if (start != 0) return;
                        b.inputChanges().add(25, 0, 0.1);
                        b.inputChanges().add(25, 10, 0.9);
                        b.inputChanges().add(25, 20, 0.6);
                      }),
            kResultOk);
  EXPECT_NEAR(StateValue(*kelmo.component, 25), 3.2, 1e-12); // -16 + 32 x 0.6
  EXPECT_EQ(out, RunDirect(kSample64, kBlock, inputs, false, {{25, 0.6}}));
}

TEST_F(KelmoAutomation, IdsWithoutAPlugInParameterChangeNothing)
{
  const auto inputs = WithSidechain(TestSignal(kBlock * 10));
  // The preset-list id, MIDI controller ids (no MIDI input here), ids past the parameters, a
  // value that is not a number, and a queue whose points cannot be read.
  ProcessBlock block(kSample64, {2, 2}, {2}, kBlock);
  block.context().tempo = 120.0;
  std::vector<std::vector<double>> out;
  ASSERT_EQ(RunSignal(*kelmo.processor, block, inputs, {kBlock}, out,
                      [](int start, int, ProcessBlock& b) {
                        if (start != 0) return;
                        b.inputChanges().add(kPresetListId, 0, 1.0);
                        b.inputChanges().add(0x10009, 0, 1.0);
                        b.inputChanges().add(0x10083, 0, 0.0);
                        b.inputChanges().add(44, 0, 1.0);
                        b.inputChanges().add(0xFFFF, 0, 1.0);
                        b.inputChanges().add(25, 0, std::numeric_limits<double>::quiet_NaN());
                        b.inputChanges().add(24, 0, 1.0);
                        b.inputChanges().find(24)->setFailReads(true);
                      }),
            kResultOk);
  EXPECT_EQ(out, RunDirect(kSample64, kBlock, inputs, false));
  EXPECT_EQ(StateValue(*kelmo.component, 25), 0.0);
  EXPECT_EQ(StateValue(*kelmo.component, 24), 0.0);
}

TEST_F(KelmoAutomation, OutOfRangeAutomationIsClampedBeforeScaling)
{
  ProcessBlock block(kSample64, {2, 2}, {2}, kBlock);
  block.inputChanges().add(25, 0, 7.5);
  block.inputChanges().add(24, 0, -3.0);
  ASSERT_EQ(block.process(*kelmo.processor), kResultOk);
  EXPECT_EQ(StateValue(*kelmo.component, 25), 16.0);
  EXPECT_EQ(StateValue(*kelmo.component, 24), -16.0);
}

TEST_F(KelmoAutomation, NormalisedSetReachesThePlugInParameterSnappedAndClamped)
{
  IEditController& c = *kelmo.controller;
  ASSERT_EQ(c.setParamNormalized(2, 0.5), kResultOk);
  EXPECT_EQ(c.getParamNormalized(2), 0.5);
  EXPECT_EQ(StateValue(*kelmo.component, 2), 18.0);

  // Stepped: "OverSampling" 0.3 of 0..4 is 1.
  ASSERT_EQ(c.setParamNormalized(20, 0.3), kResultOk);
  EXPECT_EQ(StateValue(*kelmo.component, 20), 1.0);

  ASSERT_EQ(c.setParamNormalized(25, 1.7), kResultOk);
  EXPECT_EQ(c.getParamNormalized(25), 1.0);
  EXPECT_EQ(StateValue(*kelmo.component, 25), 16.0);

  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(c.setParamNormalized(25, bad), kInvalidArgument);
    EXPECT_EQ(c.getParamNormalized(25), 1.0);
  }
  EXPECT_EQ(c.setParamNormalized(4711, 0.5), kResultFalse);
  EXPECT_EQ(c.getParamNormalized(4711), 0.0);

  // The bypass object takes the value; the processor hears of it through process only.
  ASSERT_EQ(c.setParamNormalized(kBypassId, 1.0), kResultOk);
  EXPECT_EQ(c.getParamNormalized(kBypassId), 1.0);
  auto stream = owned(new MemoryStream);
  ASSERT_EQ(kelmo.component->getState(stream.get()), kResultOk);
  int32 bypass = -1;
  std::memcpy(&bypass, stream->bytes().data() + kNumKelmoParams * sizeof(double), sizeof(bypass));
  EXPECT_EQ(bypass, 0);
}

TEST_F(KelmoAutomation, TextsBothWays)
{
  IEditController& c = *kelmo.controller;
  EXPECT_EQ(Text(c, 2, 12.5 / 36.0), "-12.5"); // thresholds show negated
  EXPECT_NEAR(FromText(c, 2, "-12.5"), 12.5 / 36.0, 1e-12);
  EXPECT_EQ(Text(c, 35, 0.5), "1/4");
  EXPECT_NEAR(FromText(c, 35, "1/4"), 0.5, 1e-12);
  EXPECT_EQ(Text(c, 40, 2.0 / 3.0), "ext 1");
  EXPECT_EQ(Text(c, 31, 1.0), "100");
  EXPECT_EQ(Text(c, 27, 0.3), "0.30");
  EXPECT_EQ(Text(c, kBypassId, 0.0), "off");
  EXPECT_EQ(Text(c, kBypassId, 1.0), "on");
  EXPECT_EQ(FromText(c, 24, "not a number"), 0.5); // reads as 0 dB, the middle of -16..16
  EXPECT_EQ(FromText(c, 24, "99"), 1.0);           // clamped to the range

  String128 text{};
  EXPECT_EQ(c.getParamStringByValue(2, std::numeric_limits<double>::quiet_NaN(), text), kInvalidArgument);
  EXPECT_EQ(c.getParamStringByValue(4711, 0.5, text), kResultFalse);
  EXPECT_EQ(Text(c, 25, 9.0), "16.0"); // out of range normalised values are clamped
  ParamValue n = 0.0;
  EXPECT_EQ(c.getParamValueByString(25, nullptr, n), kInvalidArgument);

  EXPECT_NEAR(c.normalizedParamToPlain(5, 0.5), std::sqrt(100.0 * 2000.0), 1e-9); // exponential
  EXPECT_NEAR(c.plainParamToNormalized(6, 150.0), std::log(3.0) / std::log(36.0), 1e-12);
  EXPECT_EQ(c.normalizedParamToPlain(20, 0.3), 1.0);
  EXPECT_EQ(c.plainParamToNormalized(25, 100.0), 1.0);
}
