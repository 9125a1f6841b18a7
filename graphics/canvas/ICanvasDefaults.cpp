#include "graphics/canvas/ICanvas.h"

// Base bodies of the virtual operations that a renderer or platform class may replace and that
// are empty or constant here.

namespace plugin::ui {

void ICanvas::OnViewInitialized(void*) {}
void ICanvas::OnViewDestroyed() {}
void ICanvas::EndFrame() {}
void ICanvas::DrawFastDropShadow(const IRECT&, const IRECT&, float, float, float, const IBlend*) {}
void ICanvas::UpdateLayer() {}
void ICanvas::PathSetWinding(bool) {}
void ICanvas::OnAfterDrawControl(const IRECT&) {}

void ICanvas::AttachPlatformView(const IRECT&, void*) {}
void ICanvas::RemovePlatformView(void*) {}
void ICanvas::HidePlatformView(void*, bool) {}

int ICanvas::SetMouseCursor(int cursorType)
{
  const int previous = mCursorType;
  mCursorType = cursorType;
  return previous;
}

bool ICanvas::WindowIsOpen()
{
  return GetWindow() != nullptr;
}

bool ICanvas::SetFilePathInClipboard(const char*)
{
  return false;
}

bool ICanvas::InitiateExternalFileDragDrop(const char*, const IRECT&)
{
  return false;
}

const char* ICanvas::GetPlatformAPIStr()
{
  return "";
}

bool ICanvas::RevealPathInFileBrowser(StringBuf&, bool)
{
  return false;
}

void ICanvas::PlatformHookA() {}

void* ICanvas::LoadPlatformResource()
{
  return nullptr;
}

void ICanvas::PlatformHookB() {}

const char* ICanvas::GetBundleID() const
{
  return "";
}

const char* ICanvas::GetPlatformText() const
{
  return "";
}

void ICanvas::ActivateDrawContext() {}
void ICanvas::DeactivateDrawContext() {}

int ICanvas::PlatformIntQuery() const
{
  return 0;
}

float ICanvas::GetPlatformWindowScale() const
{
  return 1.f;
}

void ICanvas::PlatformResize(bool) {}
void ICanvas::DrawResize() {}

bool ICanvas::IsDarkMode() const
{
  return false;
}

int ICanvas::RendererIntQuery() const
{
  return 1;
}

} // namespace plugin::ui
