#pragma once

#include "graphics/control/IBitmapBase.h"
#include "graphics/controls/ITextControl.h"

namespace plugin::ui {

// Text drawn from a strip of character pictures, one frame per character from the blank up,
// in cells of charWidth x charHeight spaced by charOffset. No background. Main thread only.
class IBTextControl : public ITextControl, public IBitmapBase
{
public:
  // Not sized to the text; the control's blend becomes {blendMode, 1}.
  IBTextControl(const IRECT& bounds, const IBitmap& bitmap, const IText& text = DEFAULT_TEXT,
                const char* str = "", int charWidth = 6, int charHeight = 12, int charOffset = 0,
                bool multiLine = false, bool vCenter = true, int blendMode = 0);
  ~IBTextControl() override;

  // The string in character frames; nothing for an empty string. Frame loop.
  void Draw(ICanvas& g) override;
  // The same strip at the new screen scale. Attaching and scale changes.
  void OnRescale() override;

protected:
  int mCharWidth;
  int mCharHeight;
  int mCharOffset;
  bool mMultiLine;
  bool mVCentre;
};

} // namespace plugin::ui
