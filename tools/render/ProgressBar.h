#pragma once

#include <cstdint>
#include <functional>
#include <ostream>

namespace kelmo::render {

// A one-line progress bar for long renders on a terminal. Nothing is drawn when disabled (not a
// terminal) or before the render has run for kDelaySeconds, so short renders stay silent; the
// line is redrawn at most every kIntervalSeconds and cleared by Finish.
class ProgressBar
{
public:
  static constexpr double kDelaySeconds = 2.0;
  static constexpr double kIntervalSeconds = 0.1;
  static constexpr int kWidth = 30;

  // Seconds on a monotonic clock.
  using Clock = std::function<double()>;
  static double SteadySeconds();

  // totalFrames -1 when the length is unknown (the bar then shows the seconds done only).
  ProgressBar(std::ostream& out, bool enabled, int64_t totalFrames, double sampleRate,
              Clock clock = SteadySeconds);

  // Frames done so far.
  void Update(int64_t framesDone);
  // Clears the bar when one was drawn.
  void Finish();
  bool Drawn() const { return mDrawn; }

private:
  void Draw(int64_t framesDone);

  std::ostream& mOut;
  bool mEnabled;
  int64_t mTotal;
  double mSampleRate;
  Clock mClock;
  double mStart;
  double mLastDraw = -1.0;
  bool mDrawn = false;
};

} // namespace kelmo::render
