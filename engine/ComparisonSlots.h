#pragma once

#include "framework/editor/IEditorDelegate.h"

#include <array>

// The A/B comparison: one snapshot of the parameter values per comparison slot, and which slot
// the live values belong to. Switching slots stores the live values in the slot being left and
// brings back those of the slot being entered. Not part of the saved state. Main thread only.
class ComparisonSlots
{
public:
  static constexpr int kNumSlots = 4;
  static constexpr int kMaxParams = 64;
  // Marks a snapshot entry that holds no value yet.
  static constexpr double kNotStored = -200.0;

  using Snapshot = std::array<double, kMaxParams>;

  ComparisonSlots() noexcept;

  // Makes newSlot (limited to the slots there are) live: for every parameter but the excluded
  // ones, stores its value in the live slot's snapshot and sets it to newSlot's entry; an entry
  // not stored yet takes the live value. Values are constrained by each parameter's rules. The
  // host is not told and no change hook runs.
  void Switch(plugin::IEditorDelegate& params, int newSlot) noexcept;

  // The live values now belong to slot (limited as above), with no values moved: a recall or a
  // reset has set them.
  void Adopt(int slot) noexcept;

  // Parameters a slot switch never touches: oversampling, delta, editor scale and the slot itself.
  static bool IsExcluded(int paramIdx) noexcept;

  int LiveSlot() const noexcept { return mComparisonSlotIndex; }
  // Snapshot of a slot (limited as above); slot 0 is A, slot 1 is B. The editor's copy buttons
  // read and write it.
  Snapshot& Slot(int slot) noexcept { return mComparisonSnapshots[Limit(slot)]; }
  const Snapshot& Slot(int slot) const noexcept { return mComparisonSnapshots[Limit(slot)]; }

private:
  static int Limit(int slot) noexcept { return slot < 0 ? 0 : (slot >= kNumSlots ? kNumSlots - 1 : slot); }

  std::array<Snapshot, kNumSlots> mComparisonSnapshots;
  int mComparisonSlotIndex = 0;
};
