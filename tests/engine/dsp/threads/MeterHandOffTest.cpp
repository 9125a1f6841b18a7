#include "tests/engine/dsp/DspTestUtil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace kelmo::dsp::test {
namespace {

// The audio thread processes while the main thread reads the meters and edits "OverSampling"
// (the parameter hook): every value read is a published, usable meter value.
TEST(MeterHandOff, MainThreadReadsMetersWhileAudioRuns)
{
  KelmoDsp dsp;
  std::atomic<bool> done{false};
  std::thread audio([&] {
    const Stereo in = SineStereo(1000.0, -6.0, 48000.0, 512);
    ParamValues p = DefaultParamValues();
    p[kLThreshold] = p[kRThreshold] = 20;
    std::vector<double> l(512), r(512);
    const double* inputs[4] = {in.l.data(), in.r.data(), nullptr, nullptr};
    double* outputs[2] = {l.data(), r.data()};
    for (int block = 0; block < 300; ++block) {
      p[kOverSampling] = block % 5;
      dsp.Process(inputs, 4, outputs, 2, 512, p, 120.0);
    }
    done = true;
  });
  int reads = 0;
  bool allUsable = true;
  double lowest = 1.0;
  do {
    for (int c = 0; c < 2; ++c) {
      const double readout = dsp.MeterReadout(c);
      const double needle = dsp.MeterNeedle(c);
      allUsable = allUsable && std::isfinite(readout) && readout <= 0.001 && readout >= -36.9 &&
                  needle >= 0.0 && needle <= 1.0;
      lowest = std::min(lowest, readout);
    }
    dsp.OnParamChange(kOverSampling);
    ++reads;
  } while (!done.load());
  audio.join();
  EXPECT_TRUE(allUsable);
  EXPECT_GT(reads, 0);
  EXPECT_LT(dsp.MeterReadout(0), -1.0);
  EXPECT_TRUE(dsp.BlockProcessed());
}

} // namespace
} // namespace kelmo::dsp::test
