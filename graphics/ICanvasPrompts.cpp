#include "graphics/ICanvas.h"

// Placeholders until value prompts land: no menu or text entry opens.

namespace plugin::ui {

void ICanvas::PromptUserInput(IControl&, const IRECT&, int) {}
void ICanvas::CreatePopupMenu(IControl&, IPopupMenu&, const IRECT&, int, bool) {}
void ICanvas::CreatePopupMenu(IControl&, IPopupMenu&, float, float, int) {}
void ICanvas::CreateTextEntry(IControl&, const IText&, const IRECT&, const char*, int) {}
void ICanvas::SetControlValueAfterTextEdit(const char*) {}
void ICanvas::SetControlValueAfterPopupMenu(IPopupMenu*) {}
void ICanvas::SetQwertyMidiKeyHandlerFunc(IMidiFunc) {}

} // namespace plugin::ui
