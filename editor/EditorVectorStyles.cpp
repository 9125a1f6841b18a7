#include "editor/EditorVectorStyles.h"

#include "editor/EditorTextStyles.h"

namespace plugin::ui {

namespace {

constexpr IColor kClear = COLOR_TRANSPARENT;

// The style with the flags in the order hide cursor, label, value, frame, shadows (never
// embossed), then roundness, frame thickness, shadow offset and widget fraction; angle 0.
IVStyle Style(bool hideCursor, bool label, bool value, bool frame, bool shadows, float roundness,
              float frameThickness, float shadowOffset, float widgetFraction)
{
  IVStyle s;
  s.hidePointerOnDrag = hideCursor;
  s.showLabel = label;
  s.showValue = value;
  s.drawFrame = frame;
  s.drawShadows = shadows;
  s.embossed = false;
  s.roundness = roundness;
  s.frameThickness = frameThickness;
  s.shadowOffset = shadowOffset;
  s.widgetFraction = widgetFraction;
  s.angle = 0.f;
  return s;
}

} // namespace

IVStyle KnobStyle()
{
  using namespace editor_text;
  IVStyle s = Style(true, false, false, false, false, 0.f, 20.f, 3.f, 1.f);
  s.colorSpec = {kClear, kClear, kClear, kGrey151, kGrey151, kClear, kGrey151, kGrey151, kGrey151};
  s.labelText = Centred("Lato", 15.f, kGrey151);
  s.valueText = DEFAULT_VALUE_TEXT;
  return s;
}

IVStyle ToggleStyle()
{
  IVStyle s = Style(true, false, false, false, true, 1.f, 0.f, 3.f, 1.f);
  s.colorSpec = {kClear, kClear, IColor(76, 255, 189, 82), kClear, IColor(51, 255, 255, 255), kClear, kClear,
                 kClear, kClear};
  s.labelText = editor_text::Centred("Lato", 15.f, COLOR_BLACK);
  s.valueText = DEFAULT_VALUE_TEXT;
  return s;
}

IVStyle RadioStyle()
{
  using namespace editor_text;
  IVStyle s = Style(true, true, false, false, true, 0.f, 20.f, 3.f, 1.f);
  s.colorSpec = {kClear, kClear, kGrey211, kClear, kClear, kClear, kGrey183, kGrey183, kGrey183};
  s.labelText = kReadout;
  s.valueText = DEFAULT_VALUE_TEXT;
  return s;
}

IVStyle ComparisonStyle()
{
  IVStyle s = Style(true, true, false, true, true, 0.f, 0.f, 0.f, 1.f);
  s.colorSpec = {kClear, kClear, kClear, IColor(127, 183, 183, 183), kClear, kClear, kClear, kClear, kClear};
  s.labelText = editor_text::kReadout;
  s.valueText = DEFAULT_VALUE_TEXT;
  return s;
}

IVStyle InfoStyle()
{
  IVStyle s = Style(true, false, false, true, false, 0.f, 2.f, 3.f, 1.f);
  s.colorSpec = {kClear, kClear, kClear, kClear, kClear, kClear, kClear, kClear, kClear};
  s.labelText = DEFAULT_LABEL_TEXT; // 19 points
  s.valueText = DEFAULT_VALUE_TEXT;
  s.valueText.mSize = 24.f;
  return s;
}

} // namespace plugin::ui
