#pragma once

namespace kelmo::dsp {

// Saturating tanh stage with second-order antiderivative anti-aliasing: it returns divided
// differences of the second antiderivative of tanh over the last three inputs. One object holds
// one stage's memory of its last inputs.
class TubeStage
{
public:
  // Input differences below this count as ill-conditioned.
  static constexpr double kTolerance = 1e-05;

  // Processes one input x. Audio thread; no allocation. A non-finite input gives 0 and leaves
  // the state alone; a state that leaves the finite range starts afresh.
  double Process(double x) noexcept;

  // ln(cosh x), evaluated without overflow.
  static double F1(double x) noexcept;
  // Second antiderivative of tanh with F2(0) = 0, evaluated through its odd symmetry.
  static double F2(double x) noexcept;

  // Zeroes the state (construction state).
  void Clear() noexcept;

private:
  double mX1 = 0.0;     // previous input
  double mX2 = 0.0;     // input before that
  double mF2Prev = 0.0; // F2 of the previous input
  double mD1Prev = 0.0; // previous first divided difference
};

} // namespace kelmo::dsp
