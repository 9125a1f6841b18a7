#pragma once

#include "graphics/controls/ITextControl.h"

namespace plugin::ui {

// A development placeholder: a white box crossed by its diagonals, showing its position, width
// and height and an editable label (a double click opens a text entry on it). Main thread only.
class PlaceHolder : public ITextControl
{
public:
  explicit PlaceHolder(const IRECT& bounds, const char* label = "");
  ~PlaceHolder() override;

  // Formats the position, width and height texts from the bounds.
  void OnResize() override;
  void Draw(ICanvas& g) override;
  // A text entry over the bounds, filled with the label.
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  // The entered text becomes the label.
  void OnTextEntryCompletion(const char* str, int valIdx) override;

  const char* GetPositionStr() const noexcept { return mTLHCStr.Get(); }
  const char* GetWidthStr() const noexcept { return mWidthStr.Get(); }
  const char* GetHeightStr() const noexcept { return mHeightStr.Get(); }
  const IRECT& GetLabelRect() const noexcept { return mLabelRect; }

protected:
  static constexpr int kMaxChars = 32;

  IText mTLHCText;   // position, aligned near
  IText mWidthText;  // width
  IText mHeightText; // height, turned to 270 degrees
  StringBuf mTLHCStr;
  StringBuf mWidthStr;
  StringBuf mHeightStr;
  IRECT mLabelRect;
};

} // namespace plugin::ui
