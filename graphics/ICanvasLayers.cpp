#include "graphics/ICanvas.h"

// Placeholders until layers land: no layer is ever made.

namespace plugin::ui {

void ICanvas::StartLayer(IControl*, const IRECT&, bool) {}

ILayerPtr ICanvas::EndLayer()
{
  return ILayerPtr(PopLayer());
}

void ICanvas::PushLayer(ILayer* layer)
{
  delete layer;
}

void ICanvas::ResumeLayer(ILayerPtr&) {}

ILayer* ICanvas::PopLayer()
{
  return nullptr;
}

bool ICanvas::CheckLayer(const ILayerPtr&)
{
  return false;
}

void ICanvas::DrawLayer(const ILayerPtr&, const IBlend*) {}
void ICanvas::DrawFittedLayer(const ILayerPtr&, const IRECT&, const IBlend*) {}
void ICanvas::DrawRotatedLayer(const ILayerPtr&, double) {}
void ICanvas::ApplyLayerDropShadow(ILayerPtr&, const IShadow&) {}

} // namespace plugin::ui
