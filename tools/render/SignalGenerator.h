#pragma once

#include "tools/render/AudioSource.h"
#include "tools/render/SignalRecipe.h"

#include <cstdint>
#include <vector>

namespace kelmo::render {

// A generated test signal of a fixed length; every channel gets the same signal except noise,
// whose channels are independent. The output depends only on the recipe, rate, channel count and
// frame position (never on how the reads are split), and is the same on every run:
// - sine: level x sin(2 pi f n / rate), starting at phase 0;
// - sweep: exponential sweep from HZ1 to HZ2 across the whole length, starting at phase 0;
// - noise: uniform white noise within +-level, from a fixed seed per channel;
// - impulse: one sample of 1.0 (0 dBFS) at the first frame;
// - silence.
class SignalGenerator : public AudioSource
{
public:
  SignalGenerator(const SignalRecipe& recipe, double sampleRate, int channels, int64_t frames);

  int Channels() const override { return mChannels; }
  double SampleRate() const override { return mSampleRate; }
  int64_t Frames() const override { return mFrames; }
  int Read(double* const* channels, int maxFrames) override;

  // Peak amplitude of a level in dBFS.
  static double AmplitudeOf(double dbfs);

private:
  double SampleAt(int64_t n, int channel);

  SignalRecipe mRecipe;
  double mSampleRate;
  int mChannels;
  int64_t mFrames;
  int64_t mPosition = 0;
  double mAmplitude;
  std::vector<uint64_t> mNoiseState;
};

} // namespace kelmo::render
