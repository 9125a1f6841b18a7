#include "editor/EditorComparisonBar.h"

#include "editor/ComparisonCopyActions.h"
#include "editor/EditorAttach.h"
#include "editor/EditorTextStyles.h"
#include "editor/EditorVectorStyles.h"
#include "engine/dsp/KelmoParams.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/controls/IVButtonControl.h"
#include "graphics/controls/IVRadioButtonControl.h"

#include <utility>

namespace plugin::ui {

namespace {

// A vector button with an empty label: label and value inside it or not, rectangular.
IVButtonControl* Button(const IRECT& rect, IActionFunction action, const IVStyle& style, bool textInside)
{
  return new IVButtonControl(rect, std::move(action), "", style, textInside, textInside, EVShape::Rectangle);
}

ITextControl* Text(const IRECT& rect, const char* str)
{
  return new ITextControl(rect, str, editor_text::kComparison, COLOR_TRANSPARENT, true);
}

} // namespace

void AttachComparisonBar(ICanvas& ui)
{
  AttachToEditor(ui, Button(IRECT(102.f, 3.f, 127.f, 22.f), nullptr, ComparisonStyle(), true));
  AttachToEditor(ui, Button(IRECT(188.f, 3.f, 213.f, 22.f), nullptr, ComparisonStyle(), true));
  AttachToEditor(ui, Text(IRECT(110.f, 3.f, 122.f, 22.f), "A"));
  AttachToEditor(ui, Text(IRECT(196.f, 3.f, 208.f, 22.f), "B"));
  AttachToEditor(ui, new IVRadioButtonControl(IRECT(98.f, 3.f, 271.f, 22.f), kComparisonSlot, {" ", " "}, "",
                                              RadioStyle(), EVShape::Ellipse, EDirection::Horizontal, 5.f));
  AttachToEditor(ui, Button(IRECT(209.f, 3.f, 277.f, 22.f), nullptr, KnobStyle(), true));
  AttachToEditor(ui, Text(IRECT(131.f, 3.f, 184.f, 22.f), "->       <-"));
  AttachToEditor(ui, Button(IRECT(131.f, 3.f, 156.f, 22.f), CopyAToBAction, ComparisonStyle(), false));
  AttachToEditor(ui, Button(IRECT(159.f, 3.f, 184.f, 22.f), CopyBToAAction, ComparisonStyle(), false));
}

} // namespace plugin::ui
