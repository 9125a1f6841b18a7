// The host's copy of every value stays equal to the saved state whatever the plug-in changes by
// itself (linked twins, exclusive switches, comparison swaps), and comparison slots switch on
// the host's controller calls with no timer running. The host here keeps its values the way
// hosts do: from its own edits, from the plug-in's edits (which it also sends to the processor)
// and from the processor's output parameter changes (which it also hands to the controller).
#include "tests/vst3/binding/ProcessSupport.h"
#include "tools/vst3host/MemoryStream.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"

#include <cstring>
#include <map>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

constexpr ParamID kLThreshold = 2, kLAttack = 4, kRThreshold = 10, kRAttack = 12, kDelta = 21, kLink = 23,
                  kListen = 28, kSlot = 37;

class HostCopy
{
public:
  explicit HostCopy(KelmoInstance& k) : mK(k), mBlock(kSample32, {2, 2}, {2}, 64)
  {
    for (ParamID id = 0; id < kNumKelmoParams; ++id)
      mValues[id] = mK.controller->getParamNormalized(id);
  }

  // A value in the parameter's own unit, as the controller converts it.
  double Norm(ParamID id, double plain) { return mK.controller->plainParamToNormalized(id, plain); }

  // The user moves a parameter in the host: controller now, processor with the next block.
  void Edit(ParamID id, double plain)
  {
    const double v = Norm(id, plain);
    ASSERT_EQ(mK.controller->setParamNormalized(id, v), kResultOk);
    Keep(id, v);
    TakePluginEdits();
  }
  // Automation the host plays: the processor with the next block, the controller after it.
  void Automate(ParamID id, double plain)
  {
    Keep(id, Norm(id, plain));
    mAutomated.push_back(id);
  }

  void Process()
  {
    mBlock.setNumSamples(64);
    ASSERT_EQ(mBlock.process(*mK.processor), kResultOk);
    mBlock.inputChanges().clear();
    ParameterChanges& out = mBlock.outputChanges();
    for (int32 q = 0; q < out.getParameterCount(); ++q) {
      IParamValueQueue* queue = out.getParameterData(q);
      int32 offset = 0;
      double v = 0.0;
      ASSERT_EQ(queue->getPoint(queue->getPointCount() - 1, offset, v), kResultOk);
      mValues[queue->getParameterId()] = v;
      mK.controller->setParamNormalized(queue->getParameterId(), v);
      TakePluginEdits();
    }
    for (ParamID id : mAutomated)
      mK.controller->setParamNormalized(id, mValues[id]);
    mAutomated.clear();
    TakePluginEdits();
  }

  // The state's real value of a parameter.
  double Saved(ParamID id)
  {
    auto stream = owned(new MemoryStream);
    EXPECT_EQ(mK.component->getState(stream.get()), kResultOk);
    double v = 0.0;
    std::memcpy(&v, stream->bytes().data() + id * sizeof(double), sizeof v);
    return v;
  }

  // First parameter whose host value differs from the saved state, or "" when none does.
  std::string FirstDifference()
  {
    for (ParamID id = 0; id < kNumKelmoParams; ++id) {
      const double saved = Norm(id, Saved(id));
      if (std::abs(mValues[id] - saved) > 1e-9 ||
          std::abs(mK.controller->getParamNormalized(id) - saved) > 1e-9)
        return "parameter " + std::to_string(id) + ": host " + std::to_string(mValues[id]) + ", controller " +
               std::to_string(mK.controller->getParamNormalized(id)) + ", saved " + std::to_string(saved);
    }
    return "";
  }

private:
  void Keep(ParamID id, double v)
  {
    mValues[id] = v;
    mBlock.inputChanges().add(id, 0, v);
  }
  void TakePluginEdits()
  {
    const auto calls = mK.handler->calls();
    for (; mSeen < calls.size(); ++mSeen)
      if (calls[mSeen].kind == ComponentHandler::Kind::Perform) Keep(calls[mSeen].id, calls[mSeen].value);
  }

  KelmoInstance& mK;
  ProcessBlock mBlock;
  std::map<ParamID, double> mValues;
  std::vector<ParamID> mAutomated;
  size_t mSeen = 0;
};

class KelmoHostSync : public KelmoBundleTest
{
protected:
  void SetUp() override
  {
    KelmoBundleTest::SetUp();
    kelmo.Start(kSample32, 48000.0, 64);
  }
};

TEST_F(KelmoHostSync, ComparisonSlotsSwitchOnTheControllersCalls)
{
  // Steps: 'e' edit, 'p' process block; the expected "L Attack" at the end.
  struct Case
  {
    const char* name;
    std::vector<std::tuple<char, ParamID, double>> steps;
    double attack;
  };
  const Case cases[] = {
      {"blocks between",
       {{'e', kLAttack, 5},
        {'p', 0, 0},
        {'e', kSlot, 1},
        {'p', 0, 0},
        {'e', kLAttack, 30},
        {'p', 0, 0},
        {'e', kSlot, 0},
        {'p', 0, 0}},
       5},
      {"one tick",
       {{'e', kLAttack, 5}, {'e', kSlot, 1}, {'e', kLAttack, 30}, {'e', kSlot, 0}, {'p', 0, 0}},
       5},
      {"back to B",
       {{'e', kLAttack, 5},
        {'e', kSlot, 1},
        {'e', kLAttack, 30},
        {'e', kSlot, 0},
        {'e', kSlot, 1},
        {'p', 0, 0}},
       30},
  };
  for (const Case& c : cases) {
    KelmoInstance k = KelmoInstance::Create(*module);
    k.Start(kSample32, 48000.0, 64);
    HostCopy host(k);
    for (const auto& [kind, id, value] : c.steps)
      kind == 'e' ? host.Edit(id, value) : host.Process();
    EXPECT_NEAR(host.Saved(kLAttack), c.attack, 1e-9) << c.name;
    EXPECT_EQ(host.FirstDifference(), "") << c.name;
    k.Destroy();
  }
}

TEST_F(KelmoHostSync, ValuesThePluginSetsItselfReachTheHost)
{
  // The change, how it arrives (automation through the processor, or an edit in the host), the
  // parameter the plug-in moves and the value it must take.
  struct Case
  {
    ParamID id;
    double value;
    bool automated;
    ParamID moved;
    double expected;
  };
  const Case cases[] = {
      {kLThreshold, 12.5, true, kRThreshold, 12.5},
      {kLThreshold, 7.0, false, kRThreshold, 7.0},
      {kRAttack, 20.0, true, kLAttack, 20.0},
      {kRAttack, 3.0, false, kLAttack, 3.0},
      {kDelta, 1.0, true, kListen, 0.0},
      {kListen, 1.0, false, kDelta, 0.0},
  };
  HostCopy host(kelmo);
  host.Edit(kLink, 1.0);
  host.Edit(kDelta, 1.0);
  host.Process();
  for (const Case& c : cases) {
    c.automated ? host.Automate(c.id, c.value) : host.Edit(c.id, c.value);
    host.Process();
    EXPECT_NEAR(host.Saved(c.moved), c.expected, 1e-9) << c.id;
    EXPECT_EQ(host.FirstDifference(), "") << c.id << (c.automated ? " automated" : " edited");
  }
}

// A host that answers each edit by setting the value back through the controller at once.
class EchoingHandler : public ComponentHandler
{
public:
  IEditController* controller = nullptr;
  int depth = 0, deepest = 0;
  tresult PLUGIN_API performEdit(ParamID id, ParamValue value) override
  {
    deepest = std::max(deepest, ++depth);
    if (depth < 50) controller->setParamNormalized(id, value);
    --depth;
    return ComponentHandler::performEdit(id, value);
  }
};

TEST_F(KelmoHostSync, AHostThatSetsEditsBackStopsAfterOneRound)
{
  auto echo = owned(new EchoingHandler);
  echo->controller = kelmo.controller;
  ASSERT_EQ(kelmo.controller->setComponentHandler(echo.get()), kResultOk);
  kelmo.controller->setParamNormalized(kLink, 1.0);
  // The twins' ranges differ (50 Hz and 5 Hz lowest): 20 Hz copied left becomes 50.
  kelmo.controller->setParamNormalized(14, kelmo.controller->plainParamToNormalized(14, 20.0));
  EXPECT_LE(echo->deepest, 1);
  kelmo.controller->setComponentHandler(nullptr);
}

TEST_F(KelmoHostSync, TheProcessContextAsksForTheTempoOnly)
{
  FUnknownPtr<IProcessContextRequirements> needs(kelmo.processor);
  ASSERT_TRUE(needs);
  EXPECT_EQ(needs->getProcessContextRequirements(), uint32{IProcessContextRequirements::kNeedTempo});
}

} // namespace
