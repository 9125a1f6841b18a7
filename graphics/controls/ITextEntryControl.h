#pragma once

#include "graphics/IControl.h"

namespace plugin::ui {

// The in-editor single-line text field; the graphics context routes text-entry requests to it
// and, while it edits, every pointer event. Its end calls ICanvas::SetControlValueAfterTextEdit.
// Main thread only.
class ITextEntryControl : public IControl
{
public:
  // All-zero rectangle, no parameter, no action.
  ITextEntryControl();
  ~ITextEntryControl() override;

  // The frame loop draws the field while it edits. Main thread.
  void Draw(ICanvas& g) override;

  // The graphics context starts editing str for paramIdx (-1: none) over bounds in the text style.
  // Main thread; allocates.
  void CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length, const char* str);

  bool IsEditing() const noexcept { return mEditing; }

protected:
  bool mEditing = false;
};

} // namespace plugin::ui
