#pragma once

namespace plugin {

// Transport state of the current block, filled by the host binding at the start of every block.
struct ITimeInfo
{
  double mTempo = 120.0;
  double mSamplePos = -1.0;
  double mPPQPos = -1.0;  // position in quarter notes
  double mLastBar = -1.0; // position of the last bar, in quarter notes
  double mCycleStart = -1.0;
  double mCycleEnd = -1.0;
  int mNumerator = 4;
  int mDenominator = 4;
  bool mTransportIsRunning = false;
  bool mTransportLoopEnabled = false;
};

} // namespace plugin
