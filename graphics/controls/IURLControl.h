#pragma once

#include "graphics/controls/ITextControl.h"

namespace plugin::ui {

// An underlined link: a click opens its address in the browser; the text turns the hover colour
// while the pointer is over it and the clicked colour once clicked. Main thread only.
class IURLControl : public ITextControl
{
public:
  IURLControl(const IRECT& bounds, const char* str, const char* url, const IText& text = DEFAULT_TEXT,
              const IColor& background = COLOR_TRANSPARENT, const IColor& hoverColor = COLOR_WHITE,
              const IColor& clickedColor = COLOR_BLUE);
  ~IURLControl() override;

  // Opens the address, releases the pointer and remembers the click (drawn at the next redraw).
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // The pointing hand while over the link; marks dirty when the hover flag changes.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  // The arrow again; marks dirty when the hover flag changes.
  void OnMouseOut() override;
  // Copies the style; its text colour becomes the normal link colour.
  void SetText(const IText& text) override;
  // Background, the underline in the current link colour, then the text.
  void Draw(ICanvas& g) override;

  const char* GetURL() const noexcept { return mLinkAddress.Get(); }
  bool GetWasClicked() const noexcept { return mWasClicked; }

protected:
  StringBuf mLinkAddress;
  IColor mNormalTextColor;
  IColor mHoverTextColor;
  IColor mClickedTextColor;
  bool mWasClicked = false;
};

} // namespace plugin::ui
