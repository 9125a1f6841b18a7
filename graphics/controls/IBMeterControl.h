#pragma once

#include "graphics/attached/IBitmapControl.h"

#include <cstdint>

namespace plugin::ui {

// A level meter drawn from a strip of frames: the plug-in sends it a level as a control message,
// which becomes the value (linear, or in decibels over a range) and so the frame shown.
// Main thread only.
class IBMeterControl : public IBitmapControl
{
public:
  enum EResponse : int { kLinear = 0, kLog = 1 };

  // The message a meter reads: one channel entry of two floats, of which the second is the level.
  struct Record
  {
    int32_t mControlTag = -1;
    int32_t mNChans = 1;
    int32_t mChanOffset = 0;
    float mEntry[2] = {};
  };
  static_assert(sizeof(Record) == 20, "a bitmap meter's record is 20 bytes");

  // Bounds: one frame of the bitmap with its top-left at (x, y); no parameter. A logarithmic meter
  // maps lowRangeDB..highRangeDB to 0..1; any other response shows the level itself, limited to 0..1.
  IBMeterControl(float x, float y, const IBitmap& bitmap, int response = kLog, float lowRangeDB = -60.f,
                 float highRangeDB = 12.f);
  ~IBMeterControl() override;

  // Tag 0: the record's level becomes the value (a record without channels keeps it; a message
  // shorter than a record, or without data, counts as level 0); redraw without the action.
  // Another tag, or a disabled meter: ignored. The editor delegate calls it on the main thread;
  // no allocation.
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* data) override;
  // The frame for the value. Frame loop.
  void Draw(ICanvas& g) override;
  // The same strip at the new screen scale. Attaching and scale changes.
  void OnRescale() override;

  // Normalised value of a level for this meter's response and range; NaN reads as silence.
  double ValueForLevel(float level) const noexcept;
  float GetLowRangeDB() const noexcept { return mLowRangeDB; }
  float GetHighRangeDB() const noexcept { return mHighRangeDB; }
  int GetResponse() const noexcept { return mResponse; }

protected:
  float mHighRangeDB;
  float mLowRangeDB;
  int mResponse;
};

} // namespace plugin::ui
