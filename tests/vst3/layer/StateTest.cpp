#include "tests/vst3/layer/GainBundle.h"
#include "tools/vst3host/MemoryStream.h"

#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace plugin::testhost;
namespace tp = plugin::testplug;

namespace {

std::vector<uint8_t> StateBytes(double normalized)
{
  std::vector<uint8_t> bytes(tp::kStateSize);
  std::memcpy(bytes.data(), tp::kStateTag, 4);
  std::memcpy(bytes.data() + 4, &normalized, sizeof(normalized));
  return bytes;
}

class StateTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    module = LoadGainBundle();
    ASSERT_TRUE(module);
    gain = GainInstance::Create(*module);
    ASSERT_TRUE(gain.component);
  }
  void TearDown() override { gain.destroy(); }

  // The normalised gain the component state currently holds.
  double savedGain()
  {
    auto stream = owned(new MemoryStream);
    EXPECT_EQ(gain.component->getState(stream), kResultOk);
    double v = -1.0;
    if (stream->bytes().size() == static_cast<size_t>(tp::kStateSize))
      std::memcpy(&v, stream->bytes().data() + 4, 8);
    return v;
  }

  std::unique_ptr<Module> module;
  GainInstance gain;
};

} // namespace

TEST_F(StateTest, RoundTripIntoAFreshInstance)
{
  auto in = owned(new MemoryStream(StateBytes(0.3)));
  ASSERT_EQ(gain.component->setState(in), kResultOk);
  EXPECT_DOUBLE_EQ(gain.controller->getParamNormalized(tp::kGainParamId), 0.3);

  auto out = owned(new MemoryStream);
  ASSERT_EQ(gain.component->getState(out), kResultOk);
  EXPECT_EQ(out->bytes(), StateBytes(0.3));

  auto other = GainInstance::Create(*module);
  out->rewind();
  ASSERT_EQ(other.component->setState(out), kResultOk);
  auto again = owned(new MemoryStream);
  ASSERT_EQ(other.component->getState(again), kResultOk);
  EXPECT_EQ(again->bytes(), out->bytes());
  other.destroy();
}

TEST_F(StateTest, OffsetStreamsAreReadAndWrittenFromTheirPosition)
{
  auto out = owned(MemoryStream::WithOffset(17));
  ASSERT_EQ(gain.component->setState(owned(new MemoryStream(StateBytes(0.8)))), kResultOk);
  ASSERT_EQ(gain.component->getState(out), kResultOk);
  EXPECT_EQ(out->payload(), StateBytes(0.8));
  EXPECT_EQ(out->bytes().size(), 17u + tp::kStateSize);

  auto in = owned(MemoryStream::WithOffset(33, StateBytes(0.125)));
  ASSERT_EQ(gain.component->setState(in), kResultOk);
  EXPECT_DOUBLE_EQ(savedGain(), 0.125);
}

TEST_F(StateTest, BrokenStreamsChangeNothing)
{
  ASSERT_EQ(gain.component->setState(owned(new MemoryStream(StateBytes(0.4)))), kResultOk);

  std::vector<uint8_t> truncated = StateBytes(0.9);
  truncated.resize(7);
  std::vector<uint8_t> wrongTag = StateBytes(0.9);
  wrongTag[0] = 'X';
  std::vector<std::vector<uint8_t>> bad = {{},
                                           truncated,
                                           wrongTag,
                                           StateBytes(std::numeric_limits<double>::quiet_NaN()),
                                           StateBytes(std::numeric_limits<double>::infinity()),
                                           StateBytes(1.5),
                                           StateBytes(-0.1)};
  for (const auto& bytes : bad) {
    EXPECT_EQ(gain.component->setState(owned(new MemoryStream(bytes))), kResultFalse);
    EXPECT_DOUBLE_EQ(savedGain(), 0.4);
  }

  // A stream that fails mid-way, and one that delivers fewer bytes than asked for.
  auto failing = owned(new MemoryStream(StateBytes(0.9)));
  failing->setFailAt(6);
  EXPECT_EQ(gain.component->setState(failing), kResultFalse);
  auto shortStream = owned(new MemoryStream(StateBytes(0.9)));
  shortStream->setShortAt(10);
  EXPECT_EQ(gain.component->setState(shortStream), kResultFalse);
  EXPECT_EQ(gain.component->setState(nullptr), kInvalidArgument);
  EXPECT_DOUBLE_EQ(savedGain(), 0.4);

  // Writing into a stream that takes fewer bytes is reported as a failure.
  auto full = owned(new MemoryStream);
  full->setShortAt(5);
  EXPECT_EQ(gain.component->getState(full), kResultFalse);
  auto broken = owned(new MemoryStream);
  broken->setFailAt(0);
  EXPECT_EQ(gain.component->getState(broken), kResultFalse);
}

TEST_F(StateTest, ControllerAndComponentStatesStayApart)
{
  ASSERT_EQ(gain.component->setState(owned(new MemoryStream(StateBytes(0.6)))), kResultOk);

  auto controllerState = owned(new MemoryStream);
  ASSERT_EQ(gain.controller->getState(controllerState), kResultOk);
  EXPECT_EQ(controllerState->bytes(), std::vector<uint8_t>({'C', 'T', 'R', 'L'}));

  // The component stream given to the controller is not taken as parameters, and back.
  EXPECT_EQ(gain.controller->setState(owned(new MemoryStream(StateBytes(0.1)))), kResultFalse);
  EXPECT_DOUBLE_EQ(savedGain(), 0.6);
  controllerState->rewind();
  EXPECT_EQ(gain.component->setState(controllerState), kResultFalse);
  EXPECT_DOUBLE_EQ(savedGain(), 0.6);
  controllerState->rewind();
  EXPECT_EQ(gain.controller->setState(controllerState), kResultOk);
  EXPECT_EQ(gain.controller->setComponentState(owned(new MemoryStream(StateBytes(0.1)))), kResultOk);
  EXPECT_DOUBLE_EQ(savedGain(), 0.6);
}
