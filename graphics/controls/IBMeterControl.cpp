#include "graphics/controls/IBMeterControl.h"

#include "graphics/control/IBitmapBase.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plugin::ui {

namespace {

constexpr double kAmpToDB = 8.685889638065037; // 20 / ln 10

} // namespace

IBMeterControl::IBMeterControl(float x, float y, const IBitmap& bitmap, int response, float lowRangeDB,
                               float highRangeDB)
    : IBitmapControl(x, y, bitmap, -1, EBlend::SourceOver), mHighRangeDB(highRangeDB),
      mLowRangeDB(lowRangeDB), mResponse(response)
{}

IBMeterControl::~IBMeterControl() = default;

double IBMeterControl::ValueForLevel(float level) const noexcept
{
  const double x = std::isnan(level) ? 0.0 : static_cast<double>(level);
  if (mResponse != kLog) return std::clamp(x, 0.0, 1.0);
  const double above = kAmpToDB * std::log(std::fabs(x)) + std::fabs(static_cast<double>(mLowRangeDB));
  const double range = std::fabs(static_cast<double>(mHighRangeDB) - static_cast<double>(mLowRangeDB));
  // A range of zero is not divided by: the meter is then full above its floor and empty below.
  const double v = range > 0.0 ? above / range : (above > 0.0 ? 1.0 : 0.0);
  return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0);
}

void IBMeterControl::OnMsgFromDelegate(int msgTag, int dataSize, const void* data)
{
  if (msgTag != 0 || IsDisabled()) return;
  if (!data || dataSize < static_cast<int>(sizeof(Record))) {
    // Too short to hold a level: nothing of it is read, and the meter falls to silence.
    SetValue(ValueForLevel(0.f), 0);
  } else {
    Record record;
    std::memcpy(&record, data, sizeof(Record));
    if (record.mNChans >= 1) SetValue(ValueForLevel(record.mEntry[1]), 0);
  }
  SetDirty(false);
}

void IBMeterControl::Draw(ICanvas& g)
{
  IBitmapBase::DrawFrameFor(g, mBitmap, *this);
}

void IBMeterControl::OnRescale()
{
  IBitmapBase::RescaleFor(*this, mBitmap);
}

} // namespace plugin::ui
