// Generated test signals: exact values, levels, and independence from the read split.
#include "tools/render/SignalGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace kelmo::render;

namespace {

SignalRecipe Recipe(SignalRecipe::Kind kind, double hz1 = 0.0, double hz2 = 0.0, double dbfs = 0.0)
{
  SignalRecipe s;
  s.kind = kind;
  s.startHz = hz1;
  s.endHz = hz2;
  s.levelDbfs = dbfs;
  return s;
}

// Reads the whole signal in reads of `chunk` frames.
std::vector<std::vector<double>> ReadAll(SignalGenerator& g, int chunk)
{
  std::vector<std::vector<double>> out(static_cast<size_t>(g.Channels()));
  std::vector<std::vector<double>> buf(out.size(), std::vector<double>(static_cast<size_t>(chunk)));
  std::vector<double*> ptrs;
  for (auto& b : buf)
    ptrs.push_back(b.data());
  int n = 0;
  while ((n = g.Read(ptrs.data(), chunk)) > 0)
    for (size_t c = 0; c < out.size(); ++c)
      out[c].insert(out[c].end(), buf[c].begin(), buf[c].begin() + n);
  return out;
}

int ZeroCrossings(const std::vector<double>& x, size_t from, size_t to)
{
  int n = 0;
  for (size_t i = from + 1; i < to; ++i)
    if ((x[i - 1] < 0.0) != (x[i] < 0.0)) ++n;
  return n;
}

} // namespace

TEST(SignalGenerator, SineHasItsLevelAndPhase)
{
  SignalGenerator g(Recipe(SignalRecipe::Kind::Sine, 1000.0, 1000.0, -6.0), 48000.0, 2, 4800);
  EXPECT_EQ(g.Frames(), 4800);
  const auto x = ReadAll(g, 512);
  ASSERT_EQ(x[0].size(), 4800u);
  const double a = std::pow(10.0, -6.0 / 20.0);
  EXPECT_EQ(x[0][0], 0.0);
  EXPECT_NEAR(x[0][12], a, 1e-15); // a quarter period at 48 kHz
  EXPECT_NEAR(x[0][36], -a, 1e-15);
  EXPECT_NEAR(x[0][1234], a * std::sin(2.0 * std::numbers::pi * 1000.0 * 1234.0 / 48000.0), 1e-15);
  EXPECT_EQ(x[0], x[1]);
  EXPECT_EQ(ZeroCrossings(x[0], 1, 4800), 199); // 100 periods, crossing at the exact zeros excluded
}

TEST(SignalGenerator, ImpulseSilenceAndNoise)
{
  SignalGenerator impulse(Recipe(SignalRecipe::Kind::Impulse), 44100.0, 2, 100);
  const auto i = ReadAll(impulse, 7);
  EXPECT_EQ(i[0][0], 1.0);
  EXPECT_EQ(i[1][0], 1.0);
  for (size_t n = 1; n < 100; ++n)
    EXPECT_EQ(i[0][n] + i[1][n], 0.0);

  SignalGenerator silence(Recipe(SignalRecipe::Kind::Silence), 44100.0, 1, 50);
  const auto quiet = ReadAll(silence, 64);
  ASSERT_EQ(quiet[0].size(), 50u);
  for (double v : quiet[0])
    EXPECT_EQ(v, 0.0);

  SignalGenerator noise(Recipe(SignalRecipe::Kind::Noise, 0, 0, -20.0), 48000.0, 2, 48000);
  const auto w = ReadAll(noise, 512);
  double peak = 0.0, sum = 0.0, sumSq = 0.0;
  for (double v : w[0]) {
    peak = std::max(peak, std::fabs(v));
    sum += v;
    sumSq += v * v;
  }
  EXPECT_LE(peak, 0.1);
  EXPECT_GT(peak, 0.0999);
  EXPECT_NEAR(sum / 48000.0, 0.0, 0.002);
  // Uniform within +-a: RMS a / sqrt(3).
  EXPECT_NEAR(std::sqrt(sumSq / 48000.0), 0.1 / std::sqrt(3.0), 0.001);
  EXPECT_NE(w[0], w[1]); // independent channels
  // The same on every run.
  SignalGenerator again(Recipe(SignalRecipe::Kind::Noise, 0, 0, -20.0), 48000.0, 2, 48000);
  EXPECT_EQ(ReadAll(again, 48000), w);
}

TEST(SignalGenerator, SweepRunsFromStartToEndFrequency)
{
  const double rate = 48000.0;
  SignalGenerator g(Recipe(SignalRecipe::Kind::Sweep, 100.0, 10000.0, 0.0), rate, 1, 480000);
  const auto x = ReadAll(g, 4096)[0];
  ASSERT_EQ(x.size(), 480000u);
  double peak = 0.0;
  for (double v : x)
    peak = std::max(peak, std::fabs(v));
  EXPECT_LE(peak, 1.0);
  EXPECT_GT(peak, 0.999);
  // Instantaneous frequency from zero crossings over 0.1 s windows at the ends and the middle
  // (the geometric mean for an exponential sweep).
  auto hzAround = [&](double seconds) {
    const size_t mid = static_cast<size_t>(seconds * rate);
    const size_t from = mid > 2400 ? mid - 2400 : 0;
    const size_t to = std::min(x.size(), from + 4800);
    return ZeroCrossings(x, from, to) / 2.0 / ((to - from) / rate);
  };
  EXPECT_NEAR(hzAround(0.05), 100.0 * std::pow(100.0, 0.05 / 10.0), 10.0);
  EXPECT_NEAR(hzAround(5.0), 1000.0, 15.0);
  EXPECT_NEAR(hzAround(9.95), 10000.0 * std::pow(100.0, -0.05 / 10.0), 60.0);
  // Equal ends make a tone.
  SignalGenerator tone(Recipe(SignalRecipe::Kind::Sweep, 440.0, 440.0, 0.0), rate, 1, 1000);
  SignalGenerator sine(Recipe(SignalRecipe::Kind::Sine, 440.0, 440.0, 0.0), rate, 1, 1000);
  EXPECT_EQ(ReadAll(tone, 100), ReadAll(sine, 100));
}

TEST(SignalGenerator, SameSamplesWhateverTheReadSplit)
{
  for (SignalRecipe::Kind kind : {SignalRecipe::Kind::Sine, SignalRecipe::Kind::Sweep,
                                  SignalRecipe::Kind::Noise, SignalRecipe::Kind::Impulse}) {
    SignalGenerator whole(Recipe(kind, 50.0, 5000.0, -3.0), 44100.0, 2, 3001);
    SignalGenerator ones(Recipe(kind, 50.0, 5000.0, -3.0), 44100.0, 2, 3001);
    SignalGenerator odd(Recipe(kind, 50.0, 5000.0, -3.0), 44100.0, 2, 3001);
    const auto reference = ReadAll(whole, 3001);
    EXPECT_EQ(ReadAll(ones, 1), reference);
    EXPECT_EQ(ReadAll(odd, 37), reference);
  }
  // Reading past the end gives nothing; a request of 0 frames reads nothing.
  SignalGenerator g(Recipe(SignalRecipe::Kind::Sine, 100.0, 100.0, 0.0), 48000.0, 1, 10);
  double buf[16];
  double* p[1] = {buf};
  EXPECT_EQ(g.Read(p, 0), 0);
  EXPECT_EQ(g.Read(p, 16), 10);
  EXPECT_EQ(g.Read(p, 16), 0);
}
