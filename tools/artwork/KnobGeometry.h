#pragma once

// Radii shared by the knob pictures and the scales the faceplate prints around them (points).
namespace kelmo::artwork::knob {

// The rotation range of the bitmap knobs: value 0 at -130 degrees, 1 at +130 (from twelve o'clock).
constexpr float kSweepDegrees = 260.0f;
constexpr float kStartDegrees = -130.0f;

// Knob angle of a normalised value.
constexpr float DegreesOf(float normalised)
{
  return kStartDegrees + kSweepDegrees * normalised;
}

// Big knob (128-point picture): fluted skirt, spun cap.
constexpr float kBigSkirt = 41.0f;
constexpr float kBigCap = 27.0f;
// Scale around the big knob on the faceplate.
constexpr float kBigTickInner = 46.0f;
constexpr float kBigTickOuter = 51.0f;
constexpr float kBigNumbers = 58.5f;

// Side-chain knob (28-point picture).
constexpr float kMiniSkirt = 10.5f;
constexpr float kMiniCap = 6.5f;
constexpr float kMiniTickInner = 13.0f;
constexpr float kMiniTickOuter = 16.0f;

// Trim (22-point picture).
constexpr float kTrimBody = 8.0f;
constexpr float kTrimTickInner = 10.5f;
constexpr float kTrimTickOuter = 13.0f;

} // namespace kelmo::artwork::knob
