#pragma once

// A plain transcription of the compressor's signal path: one channel after the other, every
// formula written out per frame and per sub-step in the order it is defined, nothing
// hoisted, cached or paired, library functions straight from <cmath>. It is slow on purpose;
// the engine's optimised path must stay within 1e-9 of it. Where the engine departs from the
// written formulas on purpose (guards at its boundary and fixes of faults in the formulas), the
// reference does the same and says so with a line beginning "Kept fix:".
#include "engine/dsp/ParamLimits.h"
#include "engine/dsp/TubeStage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace kelmo::dsp::test {

class ReferenceEngine
{
public:
  ReferenceEngine() { Reset(48000.0); }

  void Reset(double rate)
  {
    mRate = rate;
    mNeedsReinit = true;
    mFollowerCoef = mFollowerKeep = 1e-15;
    for (Channel& ch : mCh) {
      ch.detectorState.fill(1e-15);
      ch.interpState.fill(1e-15);
      ch.colourA.fill(1e-15);
      ch.detectorHistory.fill(1e-15);
      ch.stepHistory.fill(1e-15);
      ch.z1.fill(1e-15);
      ch.z2.fill(1e-15);
      ch.envelope = 1e-15;
      ch.meterNeedle = ch.meterReadout = 0.001;
    }
    mMidSide = {0.0, 0.0};
  }

  // Everything one channel keeps from frame to frame, its filter sections included.
  struct Channel
  {
    double signal = 0, gained = 0, detectorInput = 0, raw = 0, dry = 0, envelope = 0, envelopeOut = 0;
    double envelopeStep = 0, subSum = 0, feedback = 0, listen = 0, slew = 0;
    std::array<double, 8> prevDetector{}, detectorHistory{}, interpState{}, stepHistory{};
    std::array<double, 32> detectorState{};
    std::array<double, 8> colourA{}, colourB{};
    double meterReadout = 0.001, meterNeedle = 0.001;
    std::array<double, 32> b0{}, b1{}, b2{}, a1{}, a2{}, z1{}, z2{};

    double Run(int s, double x)
    {
      const double y = b0[s] * x + 1e-15 + z1[s];
      z1[s] = b1[s] * x + 1e-15 + z2[s] - a1[s] * y;
      z2[s] = b2[s] * x + 1e-15 - a2[s] * y;
      return y;
    }
    void Set(int s, double nb0, double nb1, double nb2, double na1, double na2)
    {
      b0[s] = nb0;
      b1[s] = nb1;
      b2[s] = nb2;
      a1[s] = na1;
      a2[s] = na2;
    }
  };

  // The tube stage's antiderivatives as written: F1 = ln(cosh x) and F2 through Li2.
  static double WrittenF1(double x) { return std::log(std::cosh(x)); }
  static double WrittenF2(double x)
  {
    const double e = std::exp(-2.0 * x);
    return 0.5 * (x * (2.0 * (std::log(std::cosh(x)) - std::log(1.0 + e)) - x) + WrittenDilog(-e)) +
           0.41123351671205655;
  }

  // The real dilogarithm Li2, piecewise: r + sigma y P(y - 1/4) / Q(y - 1/4).
  static double WrittenDilog(double x)
  {
    const double kPi2Over6 = 1.6449340668482264;
    double y, sigma, r;
    if (x < -1.0) {
      const double l = std::log(1.0 - x);
      y = 1.0 / (1.0 - x), sigma = 1.0, r = -kPi2Over6 + l * (0.5 * l - std::log(-x));
    } else if (x == -1.0) {
      return -0.8224670334241132;
    } else if (x < 0.0) {
      y = x / (x - 1.0), sigma = -1.0, r = -0.5 * std::pow(std::log1p(-x), 2);
    } else if (x == 0.0) {
      return 0.0;
    } else if (x < 0.5) {
      y = x, sigma = 1.0, r = 0.0;
    } else if (x < 1.0) {
      y = 1.0 - x, sigma = -1.0, r = kPi2Over6 - std::log(x) * std::log(1.0 - x);
    } else if (x == 1.0) {
      return kPi2Over6;
    } else if (x < 2.0) {
      const double l = std::log(x);
      y = 1.0 - 1.0 / x, sigma = 1.0, r = kPi2Over6 + l * (-0.5 * l - std::log(1.0 - 1.0 / x));
    } else {
      const double l = std::log(x);
      y = 1.0 / x, sigma = -1.0, r = 3.289868133696453 - 0.5 * l * l;
    }
    const double P[8] = {1.0706105563309305,  -4.53535627302014,  7.481965759628641,   -6.051612431513241,
                         2.4733515209909815,  -0.4693756514375463, 0.03160891044068722, -0.0002463061261464504};
    const double Q[8] = {1.0,                 -4.535568212185605,  8.179002977324743, -7.463419085376747,
                         3.624539250392529,   -0.8993678474004118, 0.098554565816757, -0.0032116618742475188};
    const double z = y - 0.25;
    double p = 0.0, q = 0.0;
    for (int i = 0; i < 8; ++i) {
      p += P[i] * std::pow(z, i);
      q += Q[i] * std::pow(z, i);
    }
    return r + sigma * y * p / q;
  }

  double MeterReadout(int c) const { return mCh[c].meterReadout; }
  double MeterNeedle(int c) const { return mCh[c].meterNeedle; }

  // One block of double samples (null pointers read as silence / are not written).
  void Process(const double* const* in, double* const* out, int nFrames, const ParamValues& params,
               double tempo)
  {
    // Kept fix: host values are checked at the boundary (out-of-range and non-finite parameters).
    BeginBlock(SanitizeParams(params), tempo);
    for (int n = 0; n < nFrames; ++n) {
      double x[4];
      for (int i = 0; i < 4; ++i) {
        const double v = in[i] ? in[i][n] : 0.0;
        // Kept fix: a non-finite input sample reads as 0.
        x[i] = std::isfinite(v) ? v : 0.0;
      }
      double y[2];
      Frame(x, y);
      for (int c = 0; c < 2; ++c)
        if (out[c]) out[c][n] = y[c];
    }
  }

private:
  struct Side
  {
    double wg, th, attackMs, releaseMs, scHz, scGainDb, ac, rc, sg, cg, blend;
    int feedback, bypass, tube, autoRelease, syncRelease, compensation, scInput;
  };

  static constexpr double kDb = 0.1151292546497;
  static constexpr double kPi = 3.141592653589793;

  static double ClampUnit(double x) { return x > 1.0 ? 1.0 : (x < 0.0 ? 1e-15 : x); }
  static double MinOne(double x)
  {
    x = std::min(x, 1.0);
    return x < 0.0 ? 1e-15 : x;
  }
  static double S(double t) { return 3.0 * t * t - 2.0 * t * t * t; }
  // x - 0.1481495 x^3, then limited to [-1, 1]; nothing limits x itself.
  static double SoftClip(double x) { return std::clamp(x - 0.1481495 * x * x * x, -1.0, 1.0); }
  static double SoftClipGuarded(double x)
  {
    const double y = SoftClip(x);
    return y < 0.0 ? 1e-15 : y;
  }
  // Kept fix: a design frequency at or above half its design rate would put tan(pi f / rate) at
  // or past its pole and the section would run away; the engine designs it at 0.495 of the rate.
  double Limit(double hz, double designRate) const { return std::min(hz, 0.495 * designRate); }

  // Side-chain compensation gain of a side from its side-chain frequency and gain in dB.
  static double CompensationGain(double frequency, double gainDb)
  {
    const float fN = static_cast<float>(ClampUnit((frequency + 1e-15) * 0.0005555555555555556));
    const double G = gainDb + 1e-15;
    const double aG = std::min(std::fabs(G), 1.0);
    double raw = 1.0;
    if (G > 0.0) raw = std::exp((fN * -0.2 + G * -0.95) * kDb);
    if (G < 0.0) {
      const double g = gainDb;
      const double u = g * 0.05 + 1.0;
      const double p = u > 1.0 ? 0.0 : (u >= 0.0 ? -g * 0.05 : 0.999999999999999);
      const double q = ClampUnit(g * 0.03571428571428571 + 1.7142857142857142);
      const double e = std::pow(std::exp((std::sqrt(std::sqrt(static_cast<double>(fN))) * -0.40295239127395 -
                                          0.040295239127395) *
                                         G),
                                0.0625);
      const double v = MinOne(static_cast<float>(q) * static_cast<float>(p) * fN); // single-precision products
      raw = (1.0 + 2.0 * S(v)) * e;
    }
    const double a = static_cast<float>(std::min(aG, 1.0));
    return (1.0 - S(a)) + S(a) * raw;
  }

  int Draw()
  {
    const auto rotl = [](uint64_t v, int k) { return (v << k) | (v >> (64 - k)); };
    const uint64_t o = rotl(mS0 + mS1, 17) + mS0;
    const uint32_t bit = (static_cast<uint32_t>(o % 44100u) * 6087u) >> 27;
    mS1 ^= mS0;
    mS0 = rotl(mS0, 49) ^ mS1 ^ (mS1 << 21);
    mS1 = rotl(mS1, 28);
    return bit > 1u ? 1 : static_cast<int>(bit);
  }

  void DesignFixed(Channel& ch, int s, int type, double hz, double r, double bpB1, double designRate)
  {
    hz = Limit(hz, designRate);
    const float fs = static_cast<float>(1.0 / designRate) * static_cast<float>(hz);
    const double K = std::tan(kPi * static_cast<double>(fs));
    const double N = 1.0 / (1.0 + r * K + K * K);
    const double a1 = N * (2.0 * K * K - 2.0), a2 = N * (1.0 - r * K + K * K);
    if (type == 0) ch.Set(s, K * K * N, 2.0 * K * K * N, K * K * N, a1, a2);
    if (type == 1) ch.Set(s, N, -2.0 * N, N, a1, a2);
    if (type == 2) ch.Set(s, r * K * N, bpB1, -(r * K * N), a1, a2);
  }

  // Sections 2 and 8, retuned by the tube mode.
  void DesignTubeBandPass(Channel& ch, int s, double hz, double r)
  {
    hz = Limit(hz, mRate);
    const double K = std::tan(hz * kPi / mRate);
    const double N = 1.0 / (K * K + 1.0 + r * K);
    ch.Set(s, r * K * N, 1e-15, -(r * K * N), N * (2.0 * K * K - 2.0), N * (K * K + 1.0 - r * K));
  }

  // Section 3, retuned for the stereo stage.
  void DesignStereoBandPass(Channel& ch, double hz, double r)
  {
    hz = Limit(hz, mRate);
    const double K = std::tan(hz * kPi / mRate);
    const double N = 1.0 / (r * K + 1.0 + K * K);
    ch.Set(3, r * K * N, 0.0, -(r * K * N), N * (2.0 * K * K - 2.0), N * (1.0 - r * K + K * K));
  }

  Side FillSide(const ParamValues& p, bool left)
  {
    Side s{};
    const auto at = [&](int l, int r) { return p[left ? l : r]; };
    s.wg = std::exp(at(kLWetGain, kRWetGain) * kDb);
    s.th = std::exp(-at(kLThreshold, kRThreshold) * kDb) + 1e-15;
    s.attackMs = at(kLAttack, kRAttack);
    s.releaseMs = at(kLRelease, kRRelease);
    s.scHz = at(kLSidechainFrequency, kRSidechainFrequency);
    s.scGainDb = at(kLSidechainGain, kRSidechainGain);
    s.feedback = static_cast<int>(at(kLFeedBack, kRFeedBack));
    s.bypass = static_cast<int>(at(kLBypass, kRBypass));
    s.tube = static_cast<int>(at(kLTriodePentode, kRTriodePentode));
    s.autoRelease = static_cast<int>(at(kLAutoRelease, kRAutoRelease));
    s.syncRelease = static_cast<int>(at(kLSyncRelease, kRSyncRelease));
    s.compensation = static_cast<int>(at(kLSidechainCompensation, kRSidechainCompensation));
    s.scInput = static_cast<int>(at(kLSidechainInput, kRSidechainInput));
    s.blend = at(kLSidechainBlend, kRSidechainBlend);
    const double msPerSample = static_cast<float>(1000.0 / mRate);
    s.ac = msPerSample / (s.attackMs + 1e-15);
    s.rc = msPerSample / (s.releaseMs + 1e-15);
    s.sg = s.scGainDb + 1e-15;
    s.cg = s.compensation == 1 ? CompensationGain(s.scHz, s.scGainDb) : 1.0;
    return s;
  }

  void BeginBlock(const ParamValues& p, double tempo)
  {
    mP = p;
    mPowerOff = static_cast<int>(1.000000000000001 - p[kPower]);
    const int os = static_cast<int>(p[kOverSampling]);
    if (os != mOsIndex) mNeedsReinit = true;
    mOsIndex = os;
    if (mNeedsReinit) {
      const int factors[5] = {2, 4, 8, 12, 16};
      if (os >= 0 && os <= 4) mF = factors[os];
      const double rf = mRate * 1.381406271584473e-6 - 0.06092001657687526;
      mRateFactor = static_cast<float>(std::clamp(rf, 1e-15, 1.0));
      for (Channel& ch : mCh) {
        DesignFixed(ch, 4, 0, 320, 7.293946024799417, 0, mRate);
        DesignFixed(ch, 5, 0, 2100, 1.4144271570014144, 0, mRate);
        DesignFixed(ch, 6, 0, 160, 6.365372374283896, 0, mRate);
        DesignFixed(ch, 7, 1, 9274, 1.9719976336028398, 0, mRate >= 88200 ? mRate : 2 * mRate);
        DesignFixed(ch, 16, 1, 80, 1.4142271248762552, 0, mRate);
        DesignFixed(ch, 17, 1, 80, 1.4142271248762552, 0, mRate);
        DesignFixed(ch, 20, 0, 50, 1.4142271248762552, 0, mRate);
        DesignFixed(ch, 21, 2, 60, 1.6666666666666667, 1e-15, mRate);
        DesignFixed(ch, 22, 2, 203, 1.6666666666666667, 1e-15, mRate);
        DesignFixed(ch, 23, 2, 10893, 1.6666666666666667, 1e-15, mRate);
        DesignFixed(ch, 24, 2, 761, 1.6666666666666667, 1e-15, mRate);
        DesignFixed(ch, 25, 2, 1034, 1.6666666666666667, 0.0, mRate);
        DesignFixed(ch, 26, 2, 2981, 2.5, 1e-15, mRate);
        DesignFixed(ch, 27, 1, 6509, 1.5151515151515151, 0, mRate);
      }
      mNeedsReinit = false;
    }
    mFollowerCoef = static_cast<float>(1.0 / mRate) * 0.001369863f;
    mFollowerKeep = 1.0 - mFollowerCoef;

    // Kept fix: a non-finite host tempo reads as 0 (no tempo: one beat per minute), checked at the
    // boundary as parameters and samples are. As written, +inf would make the synced release rate
    // infinite and the output NaN; a NaN tempo would give that rate 1e-37.
    if (!std::isfinite(tempo)) tempo = 0.0;
    mBps = tempo == 0.0 ? 0.016666666666666666 : tempo / 60.0;
    mSide[0] = FillSide(p, true);
    mSide[1] = FillSide(p, false);
    mLink = static_cast<int>(p[kChannelLink]);
    mIG = std::exp(p[kInputGain] * kDb);
    mOG = std::exp(p[kOutputGain] * kDb);
    mLC = std::exp(-p[kLevelCalibration] * kDb);
    mVG = p[kVariGain] * 0.01 + 1e-15;
    // Kept fix: VG > 0.01 compared without VG's offset, so that "Vari Gain" at exactly 1 % leaves the
    // stereo stage off as stated for 1 % or less (with the offset, 1 % would pass).
    mStereoOn = p[kVariGain] * 0.01 > 0.01;
    mMU = p[kMuDiff] * 0.00909090909090909 + 1e-15;
    mDB = ClampUnit(p[kDryBlend] * 0.01 + 1e-15);
    mNS = std::min(p[kNoiseAmount] * p[kNoiseAmount] + 1e-15, 1.0);
    const double ratio =
        std::max(static_cast<double>(static_cast<float>(mRate)) * 2.2675736961451248e-5, 1.0);
    mRho = std::min(1.0 / ratio, 1.0);
    mMU4 = MinOne(mMU * 0.4);
    mMU9 = ClampUnit(mMU * 0.9);
    mV = static_cast<float>(std::min(ClampUnit(5.0 * mVG), 1.0) *
                                (static_cast<float>(std::sqrt(std::sqrt(mVG))) + 1e-15) +
                            1e-15);
    mVH = mV * 0.5 + 0.5;
    const double cfs[5] = {1.1547, 0.74196552, 0.66994188, 0.65144, 0.643};
    mCF = cfs[mF == 2 ? 0 : mF == 4 ? 1 : mF == 8 ? 2 : mF == 12 ? 3 : 4];

    const double hz0 = p[kLSidechainFrequency] + 1e-15;
    const double hz1 = mLink == 1 ? p[kRSidechainFrequency] + 1e-15 : hz0;
    for (int c = 0; c < 2; ++c) {
      const double hz = Limit(c == 0 ? hz0 : hz1, mRate);
      const double K = std::tan(hz * kPi * (1.0 / mRate));
      const double r = 1.647175094712568;
      const double N = 1.0 / (1.0 + r * K + K * K);
      mCh[c].Set(0, N, -2.0 * N, N, N * (2.0 * K * K - 2.0), N * (1.0 - r * K + K * K));
    }
  }

  const Side& SetFor(int c) const { return mSide[c == 0 ? 0 : (mLink == 1 ? 1 : 0)]; }

  double ReleaseRate(const Side& s) const
  {
    const double F = mF;
    if (s.autoRelease == 1 && s.syncRelease != 0) {
      const double rr =
          mBps * s.syncRelease * static_cast<double>(static_cast<float>(1.0 / mRate)) * (1.0 / F);
      return rr > 0.0 ? rr : 1e-37;
    }
    return s.rc * (1.0 / F) + 1e-15;
  }

  void Detector(int c, const double* in)
  {
    Channel& ch = mCh[c];
    const Side& s = SetFor(c);
    const double F = mF;
    // The side's source by its table: 0 ch 1, 1 ch 2, 2 ext 1, 3 ext 2 (the checked value is 0..3).
    const double sc = in[s.scInput];
    const double x = ch.signal * (mIG + 1e-15);
    ch.gained = x;
    const double w0 = ClampUnit(s.blend * 0.01);
    double d = x + w0 * ((sc + 1e-15) * (mIG + 1e-15) - x);
    ch.signal = ch.detectorInput = d;
    if (s.feedback == 0) {
      d = ch.feedback;
      ch.signal = d;
    }
    const double y = ch.Run(0, d);
    const double G = s.sg;
    double v = d;
    if (G < 0.0) {
      const double t = ClampUnit(G * 0.020833333333333332 + 1.0);
      const double w = MinOne(std::pow(t, 5.2));
      v = y + w * (d - y);
    } else if (G > 0.0) {
      const double t = ClampUnit(G * 0.08333333333333333);
      v = d + (d - y) * t * 3.0 * (t * 0.65 + 0.35);
    }
    ch.signal = ch.listen = v;
    if (s.compensation == 1) ch.signal *= s.cg;
    if (G > 0.0) ch.listen *= s.cg;
    ch.signal = (mLC + 1e-15) * ch.signal + 1e-15;
    const double S0 = ch.signal;
    if (!(mPowerOff == 0 && s.bypass == 1)) return;

    const double TR = ClampUnit(s.th * 517.0999322108604 - 8.19548162383096);
    const double T = TR * s.th;
    ch.subSum = 1e-15;
    ch.envelopeStep = (S0 - ch.prevDetector[0]) / F;
    auto& D = ch.detectorState;
    for (int k = 0; k < mF; ++k) {
      const int bit = Draw();
      const double j = mNS * (bit * 0.6000000000000001 - 0.30000000000000004) + 1.0;
      const double phi = k / F;
      const double wP = S(std::clamp(phi * j, 0.0, 1.0)), wC = S(std::clamp((1.0 - phi) * j, 0.0, 1.0));
      const double vv = wP * ch.prevDetector[0] + wC * S0;
      double diff = std::fabs(vv - ch.interpState[0]);
      if (diff == 0.0) diff = 1e-15;
      ch.interpState[0] = vv;
      const double slope = D[5] + (mRho / F * 0.5 + 0.5) * (diff * mRho / F - D[5]);
      const double e = slope + 2e-15;
      const double a = D[0] + static_cast<double>(static_cast<float>(2.0 / mRate * 330.0 / F)) * (e - D[0]);
      const double lo = a + 1e-15;
      double hi = a + 2e-15;
      if (e <= lo) hi = static_cast<double>(static_cast<float>(2.0 / mRate * 400.0 / F)) * 1e-15 + lo;
      const double b = D[1] + (hi - D[1]) / F;
      D[5] = slope + 1e-15;
      D[1] = b + 1e-15;
      D[0] = b + 2e-15;
      const double q = D[0] - lo == 0.0 ? 1e-15 : ClampUnit((e - lo) / (D[0] - lo));
      const double p = D[2] + (q - D[2]) / F;
      D[2] = p + 1e-15;
      const double e2 = e + vv * (p + 2e-15);
      const double u = ClampUnit(e2 * 3334.444656520873 - 0.00033344446954875184);
      const double sigma = S(SoftClipGuarded(u));
      double g1 = vv * (1.0 - mRateFactor);
      g1 = g1 + g1 * ((1.0 - sigma) + e2 * sigma) * mMU4;
      double o = 1e-15;
      if (g1 > 0.0) {
        o = g1 - T;
        if (o < 0.0) o = 1e-15;
      }
      if (g1 < 0.0) {
        o = g1 + T;
        if (o > 0.0) o = 1e-15;
      }
      ch.subSum += (o + (ch.detectorHistory[4] - o) * 0.5) * 1.2;
      ch.detectorHistory[4] = o;
    }
    ch.stepHistory[0] = ch.envelopeStep;
    ch.prevDetector[0] = S0;
    const double det = ch.subSum / F;
    ch.subSum = 1e-15;
    ch.envelope = 1e-15;
    const double stepB = (det - ch.prevDetector[1]) / F;
    ch.envelopeStep = stepB;

    const double A0 = s.ac / F, A = A0 + 1e-15, P = ch.prevDetector[1];
    double RR = ReleaseRate(s);
    for (int k = 0; k < mF; ++k) {
      const int bit = Draw();
      const double jj = mNS * (bit * 0.6000000000000001 - 0.30000000000000004);
      const double f = k / F + (k / F) * jj;
      const double val = std::fabs(det + (P - det) * 0.5 + stepB * (k + mCF * std::sqrt((2.0 - f) * f)));
      const double m = val + (ch.detectorHistory[5] - val) * 0.5;
      ch.detectorHistory[5] = val;
      const double Lg = std::log(std::fabs(m + 1.0));
      if (s.autoRelease == 1 && s.syncRelease == 0) {
        double r = T == 0.0 ? 1e-15 : ClampUnit(Lg * 8.685889638065037 / T);
        r = SoftClipGuarded(r);
        RR = (1.0 / mRate) * 0.5 * S(r) / F +
             static_cast<double>(static_cast<float>(25.0 / (mRate * F))) * (1.0 - S(r));
      }
      const double Eb = D[3];
      const double sg = S(MinOne(m * (jj + 1.0)));
      const double En = ((1.0 - sg) - (1.0 - sg) * RR) * Eb +
                        sg * (A + A * Lg * 8.685889638065037 + (0.999999999999999 - A0) * Eb);
      const double Es = En + (ch.detectorHistory[6] - En) * 0.5;
      ch.detectorHistory[6] = En;
      D[3] = Es;
      ch.subSum += Es;
    }
    ch.prevDetector[1] = det;
    ch.envelope = ch.envelopeOut = ch.subSum / F;
  }

  static double Needle(double readout)
  {
    const double x = ClampUnit(readout * -0.1);
    const double a = std::min(ClampUnit(10 * x), 1.0), b = std::min(ClampUnit(10 * x - 1), 1.0);
    const double c = std::min(ClampUnit(1.25 * x - 0.25), 1.0);
    return a * 0.26666666666 + b * 0.2 + c * 0.53333333334;
  }
  static bool Unusable(double x) { return !std::isfinite(x) || std::fabs(x) < 2.2250738585072014e-308; }

  void InactiveQuiet(Channel& ch)
  {
    ch.envelope = ch.envelopeStep = ch.detectorInput = ch.subSum = ch.gained = ch.slew = ch.feedback = 1e-15;
    ch.colourA[0] = ch.colourB[0] = 1e-15;
    ch.detectorState[3] = 1.0;
  }

  void Gain(int c)
  {
    Channel& ch = mCh[c];
    const Side& s = SetFor(c);
    const double F = mF;
    const double TR2 = ClampUnit(s.th * 517.0999322108604 - 8.19548162383096);
    const int bypass = c == 0 ? mSide[0].bypass : mSide[1].bypass;
    if (!(mPowerOff == 0 && bypass == 1)) {
      ch.signal = ch.dry;
      InactiveQuiet(ch);
      mMidSide[c] = 1e-15;
      const double M = ch.detectorState[20];
      const double Mn = M - 5.0 * M / mRate;
      ch.detectorState[20] = Mn + 1e-15;
      ch.meterReadout = Mn + 2e-15;
      ch.meterNeedle = static_cast<float>(ClampUnit(-0.1 * ch.meterReadout));
      return;
    }
    if (c == 0 && mLink == 0) mCh[0].envelope = mCh[1].envelope = (mCh[0].envelope + mCh[1].envelope) * 0.5;

    const int mode = s.tube;
    double Wt = 1e-15;
    if (mode == 0 || mode == 1) {
      const Side& last = SetFor(1);
      double rn = ClampUnit(last.rc * 0.0005263157894736842 - 0.05263157894736842);
      const double an = ClampUnit(last.ac * 0.02512562814070352 - 0.0050251256281407045);
      if (last.autoRelease == 1) rn = 1.0 - ch.envelope;
      const double m1 = MinOne((rn + an) * 0.5), m2 = MinOne(rn);
      Wt = ClampUnit(ch.meterReadout * 0.0625 + 1.0);
      const double sw = S(std::min(Wt, 1.0));
      const double f1 = mode == 0 ? 329 * m1 + 843 : 404 * m1 + 376;
      const double f2 = mode == 0 ? 181 * m2 + 1861 : 564 * m2 + 2023;
      const double f = sw * std::trunc(f2) + (1.0 - sw) * std::trunc(f1);
      DesignTubeBandPass(ch, 2, f, mode == 0 ? 4.3478260869565215 : 1.2987012987012987);
      DesignTubeBandPass(ch, 8, f, mode == 0 ? 25.0 : 16.666666666666668);
    }

    ch.subSum = 1e-15;
    const double E = ch.envelope, Ep = ch.prevDetector[6];
    const double stepC = (E - Ep) / F;
    ch.envelopeStep = stepC;
    for (int k = 0; k < mF; ++k) {
      const int bit = Draw();
      const double f = k / F + (k / F) * (bit * 0.6000000000000001 - 0.30000000000000004) * mNS;
      const double interp = E + (Ep - E) * 0.5 + stepC * (k + mCF * std::sqrt((2.0 - f) * f));
      // Kept fix: the interpolated envelope is floored at 0. A reset leaves the previous
      // envelope in place, and the extrapolation to a new one near 0 could reach -1 and beyond: a
      // division by zero and a negative gain.
      ch.subSum += 1.0 / (std::max(interp, 0.0) + 1.0);
    }
    ch.prevDetector[6] = E;
    const double g0 = ch.subSum / F;
    ch.signal = g0;
    const double u = MinOne((s.th - 1e-05) * TR2 + 1e-05 + g0);
    const double sigma = S(u);
    const double Gn = sigma + g0 * (1.0 - sigma);
    ch.feedback = Gn * ch.detectorInput;
    ch.signal = Gn * ch.gained;

    if (Unusable(ch.meterReadout)) ch.meterReadout = 0.001;
    if (Unusable(ch.meterNeedle)) ch.meterNeedle = 0.001;
    if (mLink == 1 || c == 0) {
      const double in = std::fabs(static_cast<float>(ch.gained));
      const double out = std::fabs(static_cast<float>(ch.signal));
      double gr = std::fabs(8.685889638065037 * std::log(in)) - std::fabs(8.685889638065037 * std::log(out));
      if (!std::isfinite(gr) || std::fabs(gr) < 5.551115123125783e-17) gr = 0.0;
      const double v = std::clamp(gr, -36.9, 0.0);
      const double M = ch.detectorState[10];
      const double Mn = M + (v - M) * 5.0 / mRate;
      double readout = Mn + 2e-15;
      if (Unusable(readout)) readout = 0.001;
      for (int i = 0; i < 2; ++i) {
        if (mLink == 1 && i != c) continue;
        mCh[i].detectorState[10] = Mn + 1e-15;
        mCh[i].meterReadout = readout;
        mCh[i].meterNeedle = Needle(readout);
      }
    }
    Colour(c, Wt);
  }

  void Colour(int c, double Wt)
  {
    Channel& ch = mCh[c];
    const Side& s = SetFor(c);
    const double WG = s.wg, mode = s.tube;
    const double q = ClampUnit(WG * 0.6666666666666666 - 0.666666666666666);
    const double d = ch.gained - ch.signal, y = ch.signal;
    const double a = ch.Run(4, d), b = ch.Run(6, d);
    double h7;
    if (mRate >= 88200) {
      h7 = ch.Run(7, d);
    } else {
      ch.Run(7, d);
      h7 = 0.5 * ch.Run(7, d);
    }
    const double e = ch.Run(20, y), f = ch.Run(21, y);
    const double z = y + a * mVH * 0.24 + ((f * -0.07742857284 - e * 0.25) * mV - d);
    const double m = ClampUnit(ch.meterReadout * 0.02710027100271003 + 1.0);
    const double w = (z - m * mVH * 0.045 * b) + h7 * 0.4;
    ch.signal = w;
    const double hC = SoftClip(ch.Run(2, w));
    double k = ch.Run(8, w);
    k = k - k * mode;
    const double kC = SoftClip(k);
    const double p = std::min(std::sqrt(1.0 - m), 1.0);
    const double W = 3 * p * p - 2 * p * p * p;
    const double t = W * (hC + kC * 0.25) + 1e-15;
    ch.signal -= t;

    const double P = ch.slew;
    auto& D = ch.detectorState;
    const double sm = D[18] + (mRho * 0.5 + 0.5) * (d - D[18]);
    D[18] = sm + 1e-15;
    ch.slew = sm + 2e-15;
    const double der = (d - P) / mRho;
    const double u = (q + mVG * 0.15) * 0.25 * m * der;
    ch.signal += (1.0 - mRateFactor) * ((u + der * 0.4) * mMU9 - u);

    const double A = mFollowerKeep * ch.colourA[0] + d * mFollowerCoef;
    ch.colourA[0] = A;
    const double Bold = ch.colourB[0];
    const double B = mFollowerKeep * Bold + std::fabs(A) * mFollowerCoef;
    ch.colourB[0] = 4 * B / kPi - 4 * B * std::fabs(B) / (kPi * kPi);
    ch.signal += ch.envelope * SoftClip(A - A * Bold);

    const double v = ch.signal + t + t * mode;
    const double o = ch.Run(5, v);
    ch.signal -= o * mVG * 0.5;
    const double p17 = ch.Run(17, ch.Run(16, std::cos(o - kPi)));
    double D11 = D[11] + (p17 - D[11]) * 0.009999999776482582;
    D[11] = D11 + 1e-15;
    const double hp = (p17 - 2e-15) - D11;
    const double c5 = std::cos(o * 0.5);
    const double P0 = c5 * c5 * o * 0.5;
    const double PP = mode == 0 ? P0 * 1.13 : P0 * 0.47;
    const double QQ = mode == 0 ? hp * 0.00348 : hp * 0.00888;
    const double RR = mode == 0 ? o * 0.229 : o * -0.101;
    const double uu = (PP - RR) + QQ;
    double z3 = 3 * uu;
    z3 = std::clamp(z3 + uu * -0.44444849999999997 * z3 * z3, -1.0, 1.0);
    ch.signal += z3 * mVG * 0.5;

    const double dd = ch.raw - ch.signal;
    const double pd = SoftClip(ch.prevDetector[1] * ch.prevDetector[1]);
    const double D15 = D[15] + (pd - D[15]) * 0.009999999776482582;
    D[15] = D15 + 1e-15;
    const double s15 = D15 + 2e-15;
    const double r25 = ch.Run(25, dd), r26 = ch.Run(26, dd), r27 = ch.Run(27, dd);
    ch.signal += r25 * SoftClip(s15) * -0.16 + s15 * (r26 * 0.42903641004 + r27 * 0.30874906186);
    const double r22 = ch.Run(22, ch.signal);
    ch.signal += r22 * mV * 0.04500741397;
    const double r23 = ch.Run(23, ch.signal);
    const double wf = std::min(ClampUnit(WG * 51.70999322108597 - 8.195481623830894), 1.0);
    ch.signal = (ch.signal - r23 * mV * 0.08798916064 * Wt) * (WG + 1e-15) * wf;
  }

  double Tube(int stage, double x)
  {
    TubeState& st = mTube[stage];
    // Kept fix: the engine's overflow-safe F1 and F2 (WrittenF1 and WrittenF2 overflow from
    // |x| of a few hundred); a tube stage test holds them to the written forms. They are used here
    // because the divided differences below amplify any rounding difference in them by up to
    // 1/tol^2, far beyond what compares at 1e-9.
    const auto F1 = [](double v) { return TubeStage::F1(v); };
    const auto F2 = [](double v) { return TubeStage::F2(v); };
    const double tol = 1e-05;
    const double F2x = F2(x);
    const double D1 = std::fabs(x - st.x1) >= tol ? (F2x - st.f2p) / (x - st.x1) : F1((st.x1 + x) * 0.5);
    double y;
    if (std::fabs(x - st.x2) >= tol) {
      y = 2.0 * (D1 - st.d1p) / (x - st.x2);
    } else {
      const double xm = (x + st.x2) * 0.5, dm = xm - st.x1;
      y = std::fabs(dm) >= tol ? 2.0 * (F1(xm) + (st.f2p - F2(xm)) / dm) / dm
                               : std::clamp((xm + st.x1) * 0.5, -1.0, 1.0);
    }
    st.d1p = D1;
    st.x2 = st.x1;
    st.x1 = x;
    st.f2p = F2x;
    return y;
  }

  void Frame(const double* in, double* out)
  {
    const double L = in[0], R = in[1];
    mMidSide[0] = (R + L) * 0.5 + 1e-15;
    mMidSide[1] = (L + 1e-15) - R;
    const bool ms = static_cast<int>(mP[kMidSideMode]) == 1;
    for (int c = 0; c < 2; ++c) {
      mCh[c].signal = ms ? mMidSide[c] : (c == 0 ? L : R);
      mCh[c].raw = c == 0 ? L : R;
      mCh[c].dry = mCh[c].signal;
    }
    Detector(0, in);
    Detector(1, in);
    Gain(0);
    Gain(1);
    if (ms) {
      mMidSide[0] = mCh[0].signal;
      mMidSide[1] = mCh[1].signal;
      mCh[0].signal = mMidSide[0] + mMidSide[1] * 0.5;
      mCh[1].signal = mMidSide[0] - mMidSide[1] * 0.5;
      const double lm = mCh[0].listen, ls = mCh[1].listen;
      mCh[0].listen = lm + ls * 0.5;
      mCh[1].listen = lm - ls * 0.5;
    }

    const double sum = mCh[0].meterReadout + mCh[1].meterReadout;
    const double du = sum * 0.0625 + 1.0;
    const double Dm = du > 1.0 ? 0.0 : (du >= 0.0 ? -(sum * 0.0625) : 0.999999999999999);
    const int mode = SetFor(1).tube;
    double L3 = 1.0;
    if (mode == 0 || mode == 1) {
      for (int c = 0; c < 2; ++c) {
        const Side& s = SetFor(c);
        const double an = ClampUnit(s.ac * 0.02512562814070352 - 0.0050251256281407045);
        const double rn = ClampUnit(s.rc * 0.0005263157894736842 - 0.05263157894736842);
        const double m1 = MinOne((an + rn) * 0.5), m2 = MinOne(rn);
        const double sigma = S(MinOne(1.0 - mCh[c].meterReadout));
        const double f1 = mode == 0 ? 165 * m1 + 421 : 202 * m1 + 188;
        const double f2 = mode == 0 ? 91 * m2 + 930 : 282 * m2 + 1011;
        const double f = sigma * std::trunc(f2) + (1.0 - sigma) * std::trunc(f1);
        DesignStereoBandPass(mCh[c], f, mode == 0 ? 2.127659574468085 : 1.7543859649122808);
      }
      L3 = 0.3;
    }

    if (mStereoOn) {
      Channel &c0 = mCh[0], &c1 = mCh[1];
      const double S0 = c0.signal, S1 = c1.signal;
      const double a0 = c0.Run(3, S0), a1 = c1.Run(3, S1);
      const double dd = a0 - a1;
      const double h = std::cos(dd) * std::cos(dd) * dd;
      const double ph = std::cos(h * 4.0 - kPi);
      const double p1 = c1.Run(17, c0.Run(17, ph));
      const double sm = c1.detectorState[12] + (p1 - c1.detectorState[12]) * 0.009999999776482582;
      c1.detectorState[12] = sm + 1e-15;
      double mid = (S1 + S0) * 0.5, side = (S0 - S1) * 0.5;
      const double level = Dm * mVG * L3;
      const double t1 = Tube(1, (a1 + a0) * 2.8) - (a1 + a0);
      mid += SoftClip(t1) * level;
      const double t2 = Tube(0, ((h * 0.5 - 2e-15 + p1) - sm) * 3.0) - dd;
      side += SoftClip(t2) * level;
      const double g = c1.Run(24, side);
      side += g * mV * 0.10874906186;
      mMidSide = {mid, side};
      c0.signal = mid + side;
      c1.signal = mid - side;
    }

    for (int c = 0; c < 2; ++c) {
      Channel& ch = mCh[c];
      const double raw = ch.raw;
      double y = (raw + mDB * (ch.signal - raw)) * (mOG + 1e-15);
      if (static_cast<int>(mP[kSidechainListen]) == 1) y = ch.listen;
      if (mPowerOff == 1) {
        y = raw;
        InactiveQuiet(ch);
        ch.envelopeOut = 1e-15;
        mMidSide[c] = 1e-15;
        const double M = ch.detectorState[10];
        const double Mn = M - 5.0 * M / mRate;
        ch.detectorState[10] = Mn + 1e-15;
        ch.meterReadout = Mn + 2e-15;
        ch.meterNeedle = static_cast<float>(ClampUnit(-0.1 * ch.meterReadout));
      }
      if (static_cast<int>(mP[kDelta]) == 1) y = std::clamp(y - raw, -1.0, 1.0);
      out[c] = y;
      ch.signal = y;
    }
  }

  struct TubeState
  {
    double x1 = 0, x2 = 0, f2p = 0, d1p = 0;
  };

  double mRate = 48000.0;
  bool mNeedsReinit = true;
  int mOsIndex = 0, mF = 2, mPowerOff = 0, mLink = 0;
  float mRateFactor = 1e-15f;
  double mFollowerCoef = 1e-15, mFollowerKeep = 1e-15, mBps = 2.0;
  double mIG = 1, mOG = 1, mLC = 1, mVG = 0, mMU = 0, mDB = 1, mNS = 0, mRho = 1, mMU4 = 0, mMU9 = 0;
  double mV = 0, mVH = 0.5, mCF = 1.1547;
  bool mStereoOn = false;
  ParamValues mP{};
  std::array<Side, 2> mSide{};
  std::array<Channel, 2> mCh{};
  std::array<double, 2> mMidSide{};
  std::array<TubeState, 2> mTube{};
  uint64_t mS0 = 1000000000ULL, mS1 = 0;
};

} // namespace kelmo::dsp::test
