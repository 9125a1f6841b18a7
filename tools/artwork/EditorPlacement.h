#pragma once

#include <vector>

// Where the editor puts each picture (top-left corners in points) and the rectangles the
// faceplate has to leave room for; the faceplate and the preview are drawn from these.
namespace kelmo::artwork {

struct Placement
{
  const char* name; // resource name
  float x, y;
  float value; // normalised value shown in the preview
};

struct Rect
{
  float l, t, r, b;

  float Width() const noexcept { return r - l; }
  float Height() const noexcept { return b - t; }
  float CentreX() const noexcept { return (l + r) * 0.5f; }
  float CentreY() const noexcept { return (t + b) * 0.5f; }
};

// Every bitmap control in drawing order.
const std::vector<Placement>& EditorPlacements();

// The two needle meters' rectangles (left, right).
const std::vector<Rect>& MeterRects();

// The needle pivot of a meter rectangle: the middle of its width, a quarter of its height below
// its bottom less 2 points.
float MeterPivotX(const Rect& meter);
float MeterPivotY(const Rect& meter);

// Needle angles (degrees from twelve o'clock) at meter value 0 and 1, and the needle's reach as
// a fraction of the meter's width (red tip, grey body).
constexpr float kMeterAngleMin = -44.0f;
constexpr float kMeterAngleMax = 44.0f;
constexpr float kNeedleReach = 0.63f;
constexpr float kNeedleBodyReach = 0.45f;

// Centre of the first placement of name at index (0-based among that name's placements), from
// the picture's frame size.
bool PlacementCentre(const char* name, int index, float& cx, float& cy);

} // namespace kelmo::artwork
