#include "tools/render/SignalGenerator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmo::render {

namespace {

// One step of a 64-bit xorshift-multiply generator; never reaches a zero state from a non-zero one.
uint64_t NextNoiseBits(uint64_t& state)
{
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return state * 0x2545F4914F6CDD1DULL;
}

} // namespace

double SignalGenerator::AmplitudeOf(double dbfs)
{
  return std::pow(10.0, dbfs / 20.0);
}

SignalGenerator::SignalGenerator(const SignalRecipe& recipe, double sampleRate, int channels, int64_t frames)
    : mRecipe(recipe), mSampleRate(sampleRate), mChannels(channels), mFrames(std::max<int64_t>(frames, 0)),
      mAmplitude(AmplitudeOf(recipe.levelDbfs))
{
  for (int c = 0; c < channels; ++c)
    mNoiseState.push_back(0x9E3779B97F4A7C15ULL * static_cast<uint64_t>(c + 1));
}

double SignalGenerator::SampleAt(int64_t n, int channel)
{
  const double t = static_cast<double>(n) / mSampleRate;
  switch (mRecipe.kind) {
  case SignalRecipe::Kind::Sine:
    return mAmplitude * std::sin(2.0 * std::numbers::pi * mRecipe.startHz * t);
  case SignalRecipe::Kind::Sweep: {
    const double duration = static_cast<double>(mFrames) / mSampleRate;
    const double ratio = std::log(mRecipe.endHz / mRecipe.startHz);
    // Equal ends (or a one-frame signal) make it a plain tone.
    if (std::fabs(ratio) < 1e-12 || duration <= 0.0)
      return mAmplitude * std::sin(2.0 * std::numbers::pi * mRecipe.startHz * t);
    const double phase =
        2.0 * std::numbers::pi * mRecipe.startHz * duration / ratio * std::expm1(t / duration * ratio);
    return mAmplitude * std::sin(phase);
  }
  case SignalRecipe::Kind::Noise: {
    const uint64_t bits = NextNoiseBits(mNoiseState[static_cast<size_t>(channel)]);
    const double unit = static_cast<double>(bits >> 11) * (1.0 / 9007199254740992.0); // [0, 1)
    return mAmplitude * (2.0 * unit - 1.0);
  }
  case SignalRecipe::Kind::Impulse:
    return n == 0 ? 1.0 : 0.0;
  case SignalRecipe::Kind::Silence:
    return 0.0;
  }
  return 0.0;
}

int SignalGenerator::Read(double* const* channels, int maxFrames)
{
  const int64_t left = mFrames - mPosition;
  const int n = static_cast<int>(std::min<int64_t>(left, std::max(maxFrames, 0)));
  // Frame by frame, channel by channel: each noise channel keeps its own sequence.
  for (int i = 0; i < n; ++i)
    for (int c = 0; c < mChannels; ++c)
      channels[c][i] = SampleAt(mPosition + i, c);
  mPosition += n;
  return n;
}

} // namespace kelmo::render
