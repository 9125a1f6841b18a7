#include "editor/VUMeterControl.h"

#include "engine/IMeterRecord.h"
#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace plugin::ui {

namespace {

// The pivot sits centred below the bottom edge by a quarter of the height, less two units.
// Computed in double from the bounds and kept in float, as the needle is drawn in float.
float PivotXFor(const IRECT& r)
{
  return static_cast<float>(static_cast<double>(r.L) + (static_cast<double>(r.R) - r.L) * 0.5);
}

float PivotYFor(const IRECT& r)
{
  return static_cast<float>((static_cast<double>(r.B) - r.T) * 0.25 + (static_cast<double>(r.B) - 2.0));
}

} // namespace

VUMeterControl::VUMeterControl(const IRECT& bounds)
    : IControl(bounds, -1, nullptr), mPivotX(PivotXFor(bounds)), mPivotY(PivotYFor(bounds))
{}

VUMeterControl::~VUMeterControl() = default;

void VUMeterControl::OnMsgFromDelegate(int msgTag, int dataSize, const void* data)
{
  if (msgTag != 0 || IsDisabled()) return;
  float value = 0.f; // a record cut short rests the needle
  if (data && dataSize >= static_cast<int>(sizeof(IMeterRecord)))
    std::memcpy(&value, static_cast<const unsigned char*>(data) + offsetof(IMeterRecord, mValue),
                sizeof value);
  mValue = std::isnan(value) ? 0.f : std::clamp(value, 0.f, 1.f);
}

void VUMeterControl::Draw(ICanvas& g)
{
  const float angle = NeedleAngle();
  const float width = mBounds.W();
  // The grey inner part is drawn over the red line, leaving only the needle's tip red.
  g.DrawRadialLine(kOuterColor, mPivotX, mPivotY, angle, 0.f, width * kOuterRadiusFrac, nullptr,
                   kNeedleThickness);
  g.DrawRadialLine(kInnerColor, mPivotX, mPivotY, angle, 0.f, width * kInnerRadiusFrac, nullptr,
                   kNeedleThickness);
  SetDirty(false);
}

} // namespace plugin::ui
