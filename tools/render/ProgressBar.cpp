#include "tools/render/ProgressBar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace kelmo::render {

double ProgressBar::SteadySeconds()
{
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ProgressBar::ProgressBar(std::ostream& out, bool enabled, int64_t totalFrames, double sampleRate, Clock clock)
    : mOut(out), mEnabled(enabled), mTotal(totalFrames), mSampleRate(sampleRate), mClock(std::move(clock)),
      mStart(mEnabled ? mClock() : 0.0)
{}

void ProgressBar::Update(int64_t framesDone)
{
  if (!mEnabled) return;
  const double now = mClock();
  if (now - mStart < kDelaySeconds) return;
  if (mDrawn && now - mLastDraw < kIntervalSeconds) return;
  mLastDraw = now;
  Draw(framesDone);
}

void ProgressBar::Draw(int64_t framesDone)
{
  const double doneSeconds = mSampleRate > 0.0 ? static_cast<double>(framesDone) / mSampleRate : 0.0;
  char line[160];
  if (mTotal > 0) {
    const double fraction =
        std::clamp(static_cast<double>(framesDone) / static_cast<double>(mTotal), 0.0, 1.0);
    const int filled = static_cast<int>(fraction * kWidth);
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kWidth - filled), '.');
    std::snprintf(line, sizeof line, "\rkelmo-render [%s] %3d%%  %.1f / %.1f s", bar.c_str(),
                  static_cast<int>(fraction * 100.0), doneSeconds, static_cast<double>(mTotal) / mSampleRate);
  } else {
    std::snprintf(line, sizeof line, "\rkelmo-render %.1f s", doneSeconds);
  }
  mOut << line << std::flush;
  mDrawn = true;
}

void ProgressBar::Finish()
{
  if (!mDrawn) return;
  mOut << "\r\033[K" << std::flush;
  mDrawn = false;
}

} // namespace kelmo::render
