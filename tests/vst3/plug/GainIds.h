#pragma once

#include "pluginterfaces/base/funknown.h"

namespace plugin::testplug {

// Identity of the test gain effect, shared by the bundle and the tests that load it.
inline const Steinberg::FUID kGainClassId(0x4B6C6D54, 0x65737447, 0x61696E00, 0x00C0FFEE);
inline constexpr char kGainClassName[] = "\xCE\xBC Test Gain"; // "μ Test Gain"
inline constexpr char kGainVendor[] = "Quillmere Tests";
inline constexpr char kGainVersion[] = "0.1.0";
inline constexpr char kGainSubCategories[] = "Fx|Dynamics";

// The one parameter: output gain, normalised 0..1 maps linearly to 0..2 (0.5 = unity).
inline constexpr Steinberg::uint32 kGainParamId = 0;
inline constexpr char kGainParamTitle[] = "\xCE\xBC-Gain"; // "μ-Gain"
inline constexpr char kGainParamUnits[] = "\xC3\x97";      // "×"
inline constexpr double kGainDefault = 0.5;

// Component state: this tag, then the normalised gain as a native double.
inline constexpr char kStateTag[4] = {'G', 'A', 'I', 'N'};
inline constexpr int kStateSize = 12;
// Controller state: just this tag (kept apart from the component state).
inline constexpr char kControllerTag[4] = {'C', 'T', 'R', 'L'};

} // namespace plugin::testplug
