#pragma once

#include <array>

namespace kelmo::dsp {

// Saturating tanh stage with second-order antiderivative anti-aliasing: it returns divided
// differences of the second antiderivative of tanh over the last three inputs. Two stages with
// eight channel slots each; the stereo stage uses slot 0 of both stages.
class TubeStage
{
public:
  static constexpr int kNumStages = 2;
  static constexpr int kNumSlots = 8;
  // Input differences below this count as ill-conditioned.
  static constexpr double kTolerance = 1e-05;

  // Processes one input x of the given stage and slot. Audio thread; no allocation.
  // Out-of-range stage or slot: returns x limited to [-1, 1] without touching any state.
  double Process(int stage, int slot, double x) noexcept;

  // ln(cosh x), evaluated without overflow.
  static double F1(double x) noexcept;
  // Second antiderivative of tanh with F2(0) = 0, evaluated through its odd symmetry.
  static double F2(double x) noexcept;

  // Zeroes the state of every stage and slot (construction state).
  void Clear() noexcept;

private:
  using Words = std::array<std::array<double, kNumSlots>, kNumStages>;
  Words mX1{};     // previous input
  Words mX2{};     // input before that
  Words mF2{};     // F2 of the current input (scratch)
  Words mF2Prev{}; // F2 of the previous input
  Words mD1Prev{}; // previous first divided difference
};

} // namespace kelmo::dsp
