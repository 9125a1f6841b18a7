#include "graphics/ICanvas.h"

// Placeholders until event dispatch lands: events reach no control.

namespace plugin::ui {

IControl* ICanvas::GetMouseControl(float, float, bool, bool, uint64_t)
{
  return nullptr;
}

int ICanvas::GetMouseControlIdx(float, float, bool)
{
  return -1;
}

void ICanvas::OnMouseDown(const IMouseInfoList&) {}
void ICanvas::OnMouseUp(const IMouseInfoList&) {}
void ICanvas::OnMouseDrag(const IMouseInfoList&) {}

bool ICanvas::OnMouseOver(float, float, const IMouseMod&)
{
  return false;
}

void ICanvas::OnMouseOut() {}
void ICanvas::OnMouseDblClick(float, float, const IMouseMod&) {}
void ICanvas::OnMouseWheel(float, float, const IMouseMod&, float) {}

bool ICanvas::OnKeyDown(float, float, const IKeyPress&)
{
  return false;
}

bool ICanvas::OnKeyUp(float, float, const IKeyPress&)
{
  return false;
}

void ICanvas::OnDrop(const char*, float, float) {}
void ICanvas::OnDropMultiple(const std::vector<const char*>&, float, float) {}
void ICanvas::OnAppearanceChanged(int) {}
void ICanvas::OnTouchCancelled(const IMouseInfoList&) {}
void ICanvas::OnDragResize(float, float) {}
void ICanvas::PopupHostContextMenuForParam(IControl*, int, float, float) {}
void ICanvas::PopupHostContextMenuForParam(int, int, float, float) {}

int ICanvas::SetLastClickedParamForPos(float, float)
{
  mLastClickedParam = -1;
  return -1;
}

} // namespace plugin::ui
