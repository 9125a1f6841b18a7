#include "graphics/ICanvas.h"

// Placeholders until resource loading lands: nothing loads and nothing is cached.

namespace plugin::ui {

IBitmap ICanvas::ScaleBitmap(const IBitmap&, const char*, int)
{
  return IBitmap();
}

void ICanvas::RetainBitmap(const IBitmap&, const char*) {}
void ICanvas::ReleaseBitmap(const IBitmap&) {}

bool ICanvas::LoadFont(const char*, const char*)
{
  return false;
}

bool ICanvas::LoadFontFromMemory(const char*, const void*, int)
{
  return false;
}

bool ICanvas::LoadFont(const char*, const char*, ETextStyle)
{
  return false;
}

IBitmap ICanvas::LoadBitmap(const char*, int, bool, int)
{
  return IBitmap();
}

IBitmap ICanvas::LoadBitmapFromMemory(const char*, const void*, int, int, bool, int)
{
  return IBitmap();
}

ISVG ICanvas::LoadSVG(const char*, const char*, float)
{
  return ISVG();
}

ISVG ICanvas::LoadSVGFromMemory(const char*, const void*, int, const char*, float)
{
  return ISVG();
}

ResourceData ICanvas::LoadResource(const char*, const char*)
{
  return ResourceData(4096);
}

void ICanvas::AddIdIfPresent(int) {}

int ICanvas::SearchImageResource(const char*, const char*, StringBuf&, int, int& sourceScale)
{
  sourceScale = 0;
  return 0;
}

IBitmap ICanvas::GetScaledBitmap(IBitmap&)
{
  return IBitmap();
}

void ICanvas::AttachGestureRecognizerToRegion(const IRECT&, int, IGestureFunc) {}
void ICanvas::ClearGestureRegions() {}

bool ICanvas::RespondsToGesture(float, float)
{
  return false;
}

bool ICanvas::OnGestureRecognized(const IGestureInfo&)
{
  return false;
}

void ICanvas::AttachBackground(const char*) {}
void ICanvas::AttachSVGBackground(const char*) {}
void ICanvas::AttachPanelBackground(const IPattern&) {}

} // namespace plugin::ui
