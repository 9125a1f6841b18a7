#pragma once

#include "graphics/values/IColor.h"

namespace plugin::ui {

// Horizontal anchor of text: the left edge, the centre or the right edge of its rectangle.
enum class EAlign : int { Near = 0, Center = 1, Far = 2 };
// Vertical anchor of text.
enum class EVAlign : int { Top = 0, Middle = 1, Bottom = 2 };

// Text style: font identifier, size in points, colours of the text and of a text-entry field
// opened with this style, rotation in degrees, and alignment.
struct IText
{
  static constexpr int kFontLen = 64; // with the terminator

  char mFont[kFontLen] = "Roboto-Regular";
  float mSize = 14.f;
  IColor mFGColor = COLOR_BLACK;
  IColor mTextEntryBGColor = COLOR_WHITE;
  IColor mTextEntryFGColor = COLOR_BLACK;
  float mAngle = 0.f;
  EAlign mAlign = EAlign::Center;
  EVAlign mVAlign = EVAlign::Middle;

  constexpr IText() = default;
  // font null keeps "Roboto-Regular"; longer names are cut to 63 characters.
  constexpr IText(float size, const IColor& color = COLOR_BLACK, const char* font = nullptr,
                  EAlign align = EAlign::Center, EVAlign valign = EVAlign::Middle, float angle = 0.f,
                  const IColor& textEntryBG = COLOR_WHITE, const IColor& textEntryFG = COLOR_BLACK)
      : mSize(size), mFGColor(color), mTextEntryBGColor(textEntryBG), mTextEntryFGColor(textEntryFG),
        mAngle(angle), mAlign(align), mVAlign(valign)
  {
    if (font) SetFont(font);
  }

  // Copies the font identifier (null gives ""), cut to 63 characters.
  constexpr void SetFont(const char* font)
  {
    int i = 0;
    for (; font && font[i] && i < kFontLen - 1; ++i)
      mFont[i] = font[i];
    for (; i < kFontLen; ++i)
      mFont[i] = '\0';
  }

  // Field-wise equality; only the font characters up to the terminator count.
  constexpr bool operator==(const IText& o) const
  {
    for (int i = 0; i < kFontLen; ++i) {
      if (mFont[i] != o.mFont[i]) return false;
      if (mFont[i] == '\0') break;
    }
    return mSize == o.mSize && mFGColor == o.mFGColor && mTextEntryBGColor == o.mTextEntryBGColor &&
           mTextEntryFGColor == o.mTextEntryFGColor && mAngle == o.mAngle && mAlign == o.mAlign &&
           mVAlign == o.mVAlign;
  }
};

inline constexpr IText DEFAULT_TEXT{};
inline constexpr IText DEFAULT_LABEL_TEXT{19.f, COLOR_BLACK, nullptr, EAlign::Center, EVAlign::Top};
inline constexpr IText DEFAULT_VALUE_TEXT{14.f, COLOR_BLACK, nullptr, EAlign::Center, EVAlign::Bottom};

} // namespace plugin::ui
