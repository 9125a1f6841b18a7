#pragma once

namespace kelmo::dsp {

// Level compensation for a side-chain filter frequency and side-chain gain in dB, applied to the
// detector signal when a side's "Sidechain Compensation" is on. Once per block; pure.
double SidechainCompensationGain(double frequencyHz, double gainDb) noexcept;

} // namespace kelmo::dsp
