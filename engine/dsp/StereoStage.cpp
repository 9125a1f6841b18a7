#include "engine/dsp/StereoStage.h"

#include "engine/dsp/DspMath.h"
#include "engine/dsp/LaneMath.h"

#include <cmath>

namespace kelmo::dsp {

bool RetuneStereoBandPass(ChannelState& ch, FilterBank& filters, int c, const BlockValues& b) noexcept
{
  const StereoTuning& t = b.stereo[c];
  if (t.mode != 0 && t.mode != 1) return false;
  const double sigma = Smoothstep(MinOneGuarded(1.0 - ch.meterReadout));
  const double hz = sigma * t.highHz + (1.0 - sigma) * t.lowHz;
  if (NeedsRetune(hz, ch.stereoBandPassHz) || t.mode != ch.stereoBandPassMode) {
    DesignStereoBandPass(filters, c, hz, t.width, b.sampleRate);
    ch.stereoBandPassHz = hz;
    ch.stereoBandPassMode = t.mode;
  }
  return true;
}

double MeterDepth(double readout0, double readout1) noexcept
{
  const double sum = readout0 + readout1;
  const double u = sum * 0.0625 + 1.0;
  if (u > 1.0) return 0.0;
  if (u >= 0.0) return -(sum * 0.0625);
  return kBelowOne;
}

void StereoStage::Run(std::array<ChannelState, 2>& channels, FilterBank& filters, const BlockValues& b,
                      double depth, double levelFactor) noexcept
{
  ChannelState& c0 = channels[0];
  ChannelState& c1 = channels[1];
  const double s0 = c0.channelSignal;
  const double s1 = c1.channelSignal;

  const double a0 = filters.Run(kStereoBandPass, 0, s0);
  const double a1 = filters.Run(kStereoBandPass, 1, s1);
  const double dd = a0 - a1;
  const double cd = Cos(dd);
  const double h = cd * cd * dd;
  const double ph = Cos(h * 4.0 - kPi);

  // The phase term passes channel 0's, then channel 1's phase high-pass.
  const double p1 = filters.Run(kPhaseHighPass80Hz, 1, filters.Run(kPhaseHighPass80Hz, 0, ph));
  const double smoothed = mPhaseSmoother + (p1 - mPhaseSmoother) * kSlowSmoothing;
  mPhaseSmoother = smoothed + kDenormalOffset;

  double mid = (s1 + s0) * 0.5;
  double side = (s0 - s1) * 0.5;
  const double level = depth * b.variGain * levelFactor;

  const double t1 = mSumTube.Process((a1 + a0) * 2.8) - (a1 + a0);
  mid += SoftClip(t1) * level;
  const double t2 = mDifferenceTube.Process(((h * 0.5 - 2 * kDenormalOffset + p1) - smoothed) * 3.0) - dd;
  side += SoftClip(t2) * level;

  const double g = filters.Run(kSideBandPass761Hz, 1, side);
  side += g * b.v * 0.10874906186;

  c0.channelSignal = mid + side;
  c1.channelSignal = mid - side;
}

} // namespace kelmo::dsp
