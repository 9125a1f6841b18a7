// The component state: 44 doubles and the bypass flag; round trips; hostile streams change
// nothing; the controller keeps no state of its own.
#include "tests/vst3/binding/ProcessSupport.h"
#include "tools/vst3host/MemoryStream.h"

#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace kelmotest;

namespace {

constexpr size_t kStateSize = kNumKelmoParams * sizeof(double) + sizeof(int32);

std::vector<uint8_t> SaveState(IComponent& component)
{
  auto stream = owned(new MemoryStream);
  EXPECT_EQ(component.getState(stream.get()), kResultOk);
  return stream->bytes();
}

double ValueIn(const std::vector<uint8_t>& state, int idx)
{
  double v = 0.0;
  std::memcpy(&v, state.data() + static_cast<size_t>(idx) * sizeof(double), sizeof(v));
  return v;
}

int32 BypassIn(const std::vector<uint8_t>& state)
{
  int32 flag = -1;
  std::memcpy(&flag, state.data() + kNumKelmoParams * sizeof(double), sizeof(flag));
  return flag;
}

void PutValue(std::vector<uint8_t>& state, int idx, double v)
{
  std::memcpy(state.data() + static_cast<size_t>(idx) * sizeof(double), &v, sizeof(v));
}

void PutBypass(std::vector<uint8_t>& state, int32 flag)
{
  std::memcpy(state.data() + kNumKelmoParams * sizeof(double), &flag, sizeof(flag));
}

// A stream whose reads fail once nothing is left to deliver, as some hosts' streams do.
struct FailsAtItsEnd : MemoryStream
{
  using MemoryStream::MemoryStream;
  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override
  {
    const int64_t before = position();
    const tresult result = MemoryStream::read(buffer, numBytes, numBytesRead);
    return position() == before ? kResultFalse : result;
  }
};

// Sets the bypass flag through processing, as a host does.
void BypassByHost(KelmoInstance& k, double value)
{
  ProcessBlock block(kSample64, {2, 2}, {2}, 16);
  block.inputChanges().add(kBypassId, 0, value);
  EXPECT_EQ(block.process(*k.processor), kResultOk);
}

class KelmoState : public KelmoBundleTest
{
protected:
  // A state with every value moved off its default (linking off, so no value is copied).
  std::vector<uint8_t> MovedState()
  {
    std::vector<uint8_t> state = SaveState(*kelmo.component);
    PutValue(state, 23, 0.0);  // "Link Channel Controls" off
    PutValue(state, 2, 12.3);  // "L Threshold"
    PutValue(state, 10, 30.0); // "R Threshold"
    PutValue(state, 14, 5.0);  // "R Sidechain Frequency" at its own minimum
    PutValue(state, 20, 3.0);  // "OverSampling"
    PutValue(state, 25, -4.5); // "Output Gain"
    PutValue(state, 32, 77.0); // "μ-Diff"
    PutValue(state, 35, 4.0);  // "L Sync Release"
    return state;
  }
};

} // namespace

TEST_F(KelmoState, FortyFourDoublesThenTheBypassFlag)
{
  const std::vector<uint8_t> state = SaveState(*kelmo.component);
  ASSERT_EQ(state.size(), kStateSize);
  EXPECT_EQ(state.size(), 356u);
  EXPECT_EQ(ValueIn(state, 0), 1.0);    // "Power"
  EXPECT_EQ(ValueIn(state, 4), 20.0);   // "L Attack"
  EXPECT_EQ(ValueIn(state, 5), 450.0);  // "L Release"
  EXPECT_EQ(ValueIn(state, 27), 0.3);   // "Noise Amount"
  EXPECT_EQ(ValueIn(state, 31), 100.0); // "Dry Blend"
  EXPECT_EQ(ValueIn(state, 41), 3.0);   // "R Sidechain Input"
  EXPECT_EQ(BypassIn(state), 0);
}

TEST_F(KelmoState, RoundTripRestoresValuesTheControllerAndBypass)
{
  std::vector<uint8_t> state = MovedState();
  PutBypass(state, 1);
  KelmoInstance other = KelmoInstance::Create(*module);
  auto in = owned(new FailsAtItsEnd(state)); // a host stream that fails on its final, empty read
  ASSERT_EQ(other.component->setState(in.get()), kResultOk);
  EXPECT_EQ(SaveState(*other.component), state);
  // The controller side followed: normalised values and the bypass switch.
  EXPECT_NEAR(other.controller->getParamNormalized(2), 12.3 / 36.0, 1e-12);
  EXPECT_NEAR(other.controller->getParamNormalized(25), 11.5 / 32.0, 1e-12);
  EXPECT_EQ(other.controller->getParamNormalized(20), 0.75);
  EXPECT_EQ(other.controller->getParamNormalized(kBypassId), 1.0);
  other.Destroy();
}

// A session saved with linking on but the two sides apart (linking was switched on after they were
// set) must come back as saved: the linking rule copies only on edits, never on a session restore.
TEST_F(KelmoState, LinkedSidesThatDifferComeBackAsSaved)
{
  std::vector<uint8_t> state = MovedState();
  PutValue(state, 23, 1.0); // "Link Channel Controls" on
  KelmoInstance other = KelmoInstance::Create(*module);
  auto in = owned(new MemoryStream(state));
  ASSERT_EQ(other.component->setState(in.get()), kResultOk);
  const std::vector<uint8_t> restored = SaveState(*other.component);
  EXPECT_EQ(ValueIn(restored, 2), 12.3);  // "L Threshold"
  EXPECT_EQ(ValueIn(restored, 10), 30.0); // "R Threshold"
  EXPECT_EQ(ValueIn(restored, 6), 150.0); // "L Sidechain Frequency"
  EXPECT_EQ(ValueIn(restored, 14), 5.0);  // "R Sidechain Frequency"
  EXPECT_EQ(restored, state);
  // Linking still works for the next edit.
  ProcessBlock block(kSample64, {2, 2}, {2}, 16);
  block.inputChanges().add(2, 0, 18.0 / 36.0);
  EXPECT_EQ(block.process(*other.processor), kResultOk);
  const std::vector<uint8_t> edited = SaveState(*other.component);
  EXPECT_NEAR(ValueIn(edited, 10), 18.0, 1e-9);
  other.Destroy();
}

TEST_F(KelmoState, BypassSurvivesGetSetGetWithoutTheHostResendingIt)
{
  BypassByHost(kelmo, 1.0);
  const std::vector<uint8_t> state = SaveState(*kelmo.component);
  EXPECT_EQ(BypassIn(state), 1);

  KelmoInstance other = KelmoInstance::Create(*module);
  auto in = owned(new MemoryStream(state));
  ASSERT_EQ(other.component->setState(in.get()), kResultOk);
  EXPECT_EQ(BypassIn(SaveState(*other.component)), 1);
  // And the processor is bypassed: the input comes back untouched.
  other.Start(kSample64, 48000.0, 128);
  const auto inputs = WithSidechain(TestSignal(512));
  const auto out = RunBundle(other, kSample64, 128, inputs, {128});
  EXPECT_EQ(out[0], inputs[0]);
  other.Stop();
  other.Destroy();

  BypassByHost(kelmo, 0.0);
  EXPECT_EQ(BypassIn(SaveState(*kelmo.component)), 0);
}

TEST_F(KelmoState, TruncatedStreamsChangeNothingUnlessOnlyTheBypassFlagIsMissing)
{
  const std::vector<uint8_t> before = SaveState(*kelmo.component);
  const std::vector<uint8_t> moved = MovedState();
  const size_t params = kStateSize - sizeof(int32); // older sessions may end there: applied all the same
  for (size_t keep : {size_t{0}, size_t{7}, size_t{200}, params - 1, params, kStateSize - 1}) {
    auto in =
        owned(new MemoryStream(std::vector<uint8_t>(moved.begin(), moved.begin() + static_cast<long>(keep))));
    EXPECT_EQ(kelmo.component->setState(in.get()), kResultFalse) << keep;
    EXPECT_EQ(SaveState(*kelmo.component), keep < params ? before : moved) << keep;
  }
  EXPECT_NEAR(kelmo.controller->getParamNormalized(25), 11.5 / 32.0, 1e-12); // the controller follows
  EXPECT_EQ(kelmo.component->setState(nullptr), kInvalidArgument);
}

TEST_F(KelmoState, FailingStreamsChangeNothingAndFailingWritesAreReported)
{
  const std::vector<uint8_t> before = SaveState(*kelmo.component);
  for (int64_t failAt : {int64_t{0}, int64_t{100}, int64_t{355}}) {
    auto in = owned(new MemoryStream(MovedState()));
    in->setFailAt(failAt);
    EXPECT_EQ(kelmo.component->setState(in.get()), kResultFalse) << failAt;
    EXPECT_EQ(SaveState(*kelmo.component), before) << failAt;
  }
  auto failing = owned(new MemoryStream);
  failing->setFailAt(100);
  EXPECT_EQ(kelmo.component->getState(failing.get()), kResultFalse);
  auto shortWrite = owned(new MemoryStream);
  shortWrite->setShortAt(352);
  EXPECT_EQ(kelmo.component->getState(shortWrite.get()), kResultFalse);
  EXPECT_EQ(kelmo.component->getState(nullptr), kInvalidArgument);
}

TEST_F(KelmoState, AStateEmbeddedAfterForeignBytesIsReadFromTheStreamPosition)
{
  const std::vector<uint8_t> state = MovedState();
  auto in = owned(MemoryStream::WithOffset(41, state));
  ASSERT_EQ(kelmo.component->setState(in.get()), kResultOk);
  EXPECT_EQ(SaveState(*kelmo.component), state);

  // Written after foreign bytes, the state is appended at the stream's position.
  auto out = owned(MemoryStream::WithOffset(13));
  ASSERT_EQ(kelmo.component->getState(out.get()), kResultOk);
  EXPECT_EQ(out->payload(), state);
}

TEST_F(KelmoState, CorruptValuesAreMadeSafe)
{
  std::vector<uint8_t> state = SaveState(*kelmo.component);
  PutValue(state, 2, std::numeric_limits<double>::quiet_NaN());
  PutValue(state, 25, 1e300);
  PutValue(state, 24, -std::numeric_limits<double>::infinity());
  PutValue(state, 20, 2.6);
  PutBypass(state, 7);
  auto in = owned(new MemoryStream(state));
  ASSERT_EQ(kelmo.component->setState(in.get()), kResultOk);
  const std::vector<uint8_t> now = SaveState(*kelmo.component);
  EXPECT_EQ(ValueIn(now, 2), 0.0);    // NaN reads as the minimum
  EXPECT_EQ(ValueIn(now, 25), 16.0);  // clamped
  EXPECT_EQ(ValueIn(now, 24), -16.0); // clamped
  EXPECT_EQ(ValueIn(now, 20), 3.0);   // snapped to the step
  EXPECT_EQ(BypassIn(now), 1);        // any non-zero flag is "bypassed"
  EXPECT_EQ(kelmo.controller->getParamNormalized(kBypassId), 1.0);
}

TEST_F(KelmoState, TheControllerStreamIsNeverParsedAsParameters)
{
  const std::vector<uint8_t> before = SaveState(*kelmo.component);
  // The controller's own state: nothing written, nothing read, whatever the stream holds.
  auto controllerOut = owned(new MemoryStream);
  ASSERT_EQ(kelmo.controller->getState(controllerOut.get()), kResultOk);
  EXPECT_TRUE(controllerOut->bytes().empty());
  auto controllerIn = owned(new MemoryStream(MovedState()));
  ASSERT_EQ(kelmo.controller->setState(controllerIn.get()), kResultOk);
  EXPECT_EQ(controllerIn->readCalls(), 0);
  auto component = owned(new MemoryStream(MovedState()));
  ASSERT_EQ(kelmo.controller->setComponentState(component.get()), kResultOk);
  EXPECT_EQ(component->readCalls(), 0);
  EXPECT_EQ(SaveState(*kelmo.component), before);
}
