#pragma once

#include "framework/params/IParam.h"

namespace plugin::vst3 {

// How a plug-in parameter looks to the host as a normalised VST3 parameter. Any thread; no
// allocation (the value conversions are safe on the audio thread).

// Real value of a normalised one: shape, then snapped (when stepped) and clamped twice, so that a
// snapped value at the clamped edge is itself on the grid. NaN gives the minimum.
double RealFromNormalized(const IParam& param, double normalized) noexcept;

// Normalised value of a real one: snapped (when stepped), clamped, shaped, clamped to [0, 1];
// NaN gives 0.
double NormalizedFromReal(const IParam& param, double value) noexcept;

// Step count the host sees: 0 for a double parameter, otherwise max - min truncated.
int StepCountOf(const IParam& param) noexcept;

// VST3 parameter flags: can-automate unless the parameter says otherwise, list for an enum.
int ParameterFlagsOf(const IParam& param) noexcept;

} // namespace plugin::vst3
