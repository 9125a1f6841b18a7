#pragma once

namespace kelmo::dsp {

// Real dilogarithm Li2(x) for any real x (the real part above 1). Any thread; pure.
double Dilog(double x) noexcept;

} // namespace kelmo::dsp
