#pragma once

#include <string>
#include <string_view>

namespace kelmo::render {

// A generated test signal, as given to --signal:
//   sine:HZ:DBFS, noise:DBFS, impulse, silence, sweep:HZ1:HZ2:DBFS
struct SignalRecipe
{
  enum class Kind { Sine, Noise, Impulse, Silence, Sweep };
  Kind kind = Kind::Silence;
  double startHz = 0.0;   // sine frequency, sweep start
  double endHz = 0.0;     // sweep end
  double levelDbfs = 0.0; // peak level of sine, sweep and noise
};

// Levels a generated signal may have, in dBFS: from far below any file's noise floor to well
// above full scale.
inline constexpr double kMinSignalDbfs = -200.0;
inline constexpr double kMaxSignalDbfs = 40.0;

// Reads a --signal text. False with a one-line reason in error ("sine needs HZ and DBFS: ...").
// Frequencies must be positive; the upper limit depends on the rate (CheckSignalAgainstRate).
bool ParseSignalRecipe(std::string_view text, SignalRecipe& recipe, std::string& error);

// Checks what depends on the sample rate: every frequency below half the rate.
bool CheckSignalAgainstRate(const SignalRecipe& recipe, double sampleRate, std::string& error);

} // namespace kelmo::render
