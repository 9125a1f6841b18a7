#pragma once

#include "graphics/controls/ITextControl.h"

#include <cstdint>
#include <cstring>

namespace plugin::ui {

// A live numeric readout: shows the MAXNC values of T that the plug-in pushes to its tag as a
// message with tag 0. The message data is a record of int32 control tag, int32 channel count,
// int32 channel offset and MAXNC values of T; only the values are read. Each value is formatted
// with the format and the values are joined with the separator. The editor uses the
// single-channel float form for its level readouts. Main thread only.
template <int MAXNC = 1, class T = float> class IRTTextControl : public ITextControl
{
public:
  // The record a message carries.
  struct Record
  {
    int32_t mControlTag = -1;
    int32_t mNChans = MAXNC;
    int32_t mChanOffset = 0;
    T mVals[MAXNC] = {};
  };

  IRTTextControl(const IRECT& bounds, const char* format = "%0.2f", const char* separator = ", ",
                 const char* initialText = "", const IText& text = DEFAULT_TEXT,
                 const IColor& background = COLOR_TRANSPARENT)
      : ITextControl(bounds, initialText, text, background, false), mFormat(format), mSeparator(separator)
  {}

  // The delegate's message for this control: ignored for another tag or while disabled; a message
  // shorter than a record (or without data) shows the default record's values. Main thread.
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* data) override
  {
    if (msgTag != 0 || IsDisabled()) return;
    Record record;
    if (data && dataSize >= static_cast<int>(sizeof(Record))) std::memcpy(&record, data, sizeof(Record));
    StringBuf text(128);
    for (int c = 0; c < MAXNC; ++c) {
      if (c > 0) text.Append(mSeparator.Get());
      text.AppendFormatted(kMaxChars, mFormat.Get(), static_cast<double>(record.mVals[c]));
    }
    SetStr(text.Get());
    SetDirty(false, -1);
  }

  const char* GetFormat() const noexcept { return mFormat.Get(); }
  const char* GetSeparator() const noexcept { return mSeparator.Get(); }

protected:
  static constexpr int kMaxChars = 256;

  StringBuf mFormat;
  StringBuf mSeparator;
};

} // namespace plugin::ui
