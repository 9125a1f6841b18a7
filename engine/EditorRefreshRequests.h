#pragma once

#include "engine/dsp/KelmoParams.h"
#include "framework/params/ParamMask.h"

#include <atomic>

// Single parameters are asked for by their bit in one word, so every parameter must have a bit.
static_assert(kNumParams <= plugin::kParamMaskBits, "parameter refresh requests need a bit per parameter");

// Editor work asked for on a thread that must not touch the editor (the audio thread, during host
// automation), kept as atomic flags until the main thread's idle tick carries it out. Requests
// coalesce: asking twice before the tick does the work once. Requests are lock-free and
// allocation-free on any thread; Take* run on the main thread.
class EditorRefreshRequests
{
public:
  // What the comparison slot parameter asks for.
  enum class EComparison : int {
    kNone = 0,
    kSwitch = 1, // swap snapshots to the slot the parameter now holds
    kAdopt = 2   // the live values belong to that slot; move nothing
  };

  // Every parameter's value should be sent to the editor.
  void RequestAllParams() noexcept { mAllParams.store(true, std::memory_order_release); }
  // One parameter's value should be sent to the editor (indices outside 0 to kNumParams - 1 are
  // ignored).
  void RequestParam(int paramIdx) noexcept
  {
    if (paramIdx < kNumParams) mParams.fetch_or(plugin::ParamBit(paramIdx), std::memory_order_acq_rel);
  }
  // The comparison slot changed; the later request replaces an earlier one.
  void RequestComparison(EComparison what) noexcept
  {
    mComparison.store(static_cast<int>(what), std::memory_order_release);
  }

  bool TakeAllParams() noexcept { return mAllParams.exchange(false, std::memory_order_acq_rel); }
  // Bit i set: parameter i was requested.
  plugin::ParamMask TakeParams() noexcept { return mParams.exchange(0, std::memory_order_acq_rel); }
  EComparison TakeComparison() noexcept
  {
    return static_cast<EComparison>(mComparison.exchange(0, std::memory_order_acq_rel));
  }

private:
  std::atomic<bool> mAllParams{false};
  std::atomic<plugin::ParamMask> mParams{0};
  std::atomic<int> mComparison{0};
};
