// Plays arbitrary bytes into the in-editor text field as keys (with any modifiers and any text
// bytes), clipboard pastes of raw bytes, clicks, drags, double clicks, cut, copy, undo and redo,
// and new entries. After every step cursor and selection must lie inside the text, the text must
// survive its own UTF-8 round trip (no lone surrogate stays), and drawing must work.
#include "framework/queues/IKeyPress.h"
#include "graphics/controls/ITextEntryControl.h"
#include "graphics/controls/Utf16Text.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <cstdlib>
#include <string>

using namespace plugin::ui;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  test::TestEditorDelegate dlg;
  test::RecordingCanvas ui(dlg);
  ui.AttachTextEntryControl();
  ITextEntryControl* field = ui.GetTextEntryControl();
  auto* caller = new test::RecordingControl(IRECT(0, 0, 10, 10));
  ui.AttachControl(caller);
  ui.CreateTextEntry(*caller, IText(), IRECT(20, 20, 120, 40), "seed");
  size_t i = 0;
  auto next = [&] { return i < size ? data[i++] : uint8_t{0}; };
  while (i < size) {
    const uint8_t op = next();
    const uint8_t arg = next();
    switch (op % 7) {
    case 0: {
      char text[5] = {};
      for (int k = 0; k < (arg & 3); ++k)
        text[k] = static_cast<char>(next());
      ui.OnKeyDown(0, 0, plugin::IKeyPress(text, next(), arg & 4, arg & 8, arg & 16));
      break;
    }
    case 1: {
      std::string clip;
      for (int k = 0; k < arg % 16; ++k)
        clip += static_cast<char>(next() | 1); // no terminator inside
      ui.SetTextInClipboard(clip.c_str());
      field->Paste();
      break;
    }
    case 2:
      field->OnMouseDown(static_cast<float>(arg), 30, test::LeftButton());
      break;
    case 3:
      field->OnMouseDrag(static_cast<float>(arg), 30, 1, 0, test::LeftButton());
      break;
    case 4:
      field->OnMouseDblClick(0, 0, test::LeftButton());
      break;
    case 5:
      arg & 1 ? field->CutSelection() : field->CopySelection();
      break;
    default:
      field->CreateTextEntry(-1, IText(), IRECT(20, 20, 120, 40), 0, field->GetUtf8().c_str());
      break;
    }
    const int len = field->GetLength();
    for (int pos : {field->GetCursor(), field->GetSelectionStart(), field->GetSelectionEnd()})
      if (pos < 0 || pos > len) std::abort();
    if (Utf8ToUtf16(field->GetUtf8().c_str()) != field->GetEditString()) std::abort();
    ui.ClearCalls();
    field->Draw(ui);
  }
  return 0;
}
