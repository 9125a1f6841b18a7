#include "graphics/controls/ITextEntryControl.h"

namespace plugin::ui {

ITextEntryControl::ITextEntryControl() : IControl(IRECT(), -1) {}

ITextEntryControl::~ITextEntryControl() = default;

// Placeholder until the text entry control lands: nothing is drawn.
void ITextEntryControl::Draw(ICanvas&) {}

// Placeholder until the text entry control lands: the request is taken but no editing starts.
void ITextEntryControl::CreateTextEntry(int, const IText& text, const IRECT& bounds, int, const char*)
{
  mTextStyle = text;
  mBounds = bounds;
  mHitRect = bounds;
}

} // namespace plugin::ui
