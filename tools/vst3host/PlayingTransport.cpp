#include "tools/vst3host/PlayingTransport.h"

#include <cmath>

namespace plugin::vst3host {

using Steinberg::Vst::ProcessContext;

ProcessContext PlayingTransport(double sampleRate, double tempoBpm, int64_t samplePosition) noexcept
{
  constexpr int kBeatsPerBar = 4;
  ProcessContext c{};
  c.state = ProcessContext::kPlaying | ProcessContext::kContTimeValid |
            ProcessContext::kProjectTimeMusicValid | ProcessContext::kBarPositionValid |
            ProcessContext::kTempoValid | ProcessContext::kTimeSigValid;
  c.sampleRate = sampleRate;
  c.projectTimeSamples = samplePosition;
  c.continousTimeSamples = samplePosition; // no loop: the same as the project time
  // Quarter notes from the sample count each time, so that no error builds up over a long render.
  c.projectTimeMusic = static_cast<double>(samplePosition) / sampleRate * tempoBpm / 60.0;
  c.barPositionMusic = std::floor(c.projectTimeMusic / kBeatsPerBar) * kBeatsPerBar;
  c.tempo = tempoBpm;
  c.timeSigNumerator = kBeatsPerBar;
  c.timeSigDenominator = 4;
  return c;
}

} // namespace plugin::vst3host
