#include "graphics/ICanvas.h"

// Placeholders until the drawing API lands: nothing is drawn and the transform never changes.

namespace plugin::ui {

void ICanvas::DrawSVG(const ISVG&, const IRECT&, const IBlend*, const IColor*, const IColor*) {}
void ICanvas::DrawRotatedSVG(const ISVG&, float, float, float, float, double, const IBlend*) {}
void ICanvas::DrawFittedBitmap(const IBitmap&, const IRECT&, const IBlend*) {}
void ICanvas::DrawRotatedBitmap(const IBitmap&, float, float, double, const IBlend*) {}
void ICanvas::DrawPoint(const IColor&, float, float, const IBlend*) {}
void ICanvas::DrawLine(const IColor&, float, float, float, float, const IBlend*, float) {}
void ICanvas::DrawDottedLine(const IColor&, float, float, float, float, const IBlend*, float, float) {}
void ICanvas::DrawTriangle(const IColor&, float, float, float, float, float, float, const IBlend*, float) {}
void ICanvas::DrawRect(const IColor&, const IRECT&, const IBlend*, float) {}
void ICanvas::DrawRoundRect(const IColor&, const IRECT&, float, const IBlend*, float) {}
void ICanvas::DrawRoundRectCorners(const IColor&, const IRECT&, float, float, float, float, const IBlend*,
                                   float)
{}
void ICanvas::DrawArc(const IColor&, float, float, float, float, float, const IBlend*, float) {}
void ICanvas::DrawCircle(const IColor&, float, float, float, const IBlend*, float) {}
void ICanvas::DrawEllipse(const IColor&, const IRECT&, const IBlend*, float) {}
void ICanvas::DrawEllipseRotated(const IColor&, float, float, float, float, float, const IBlend*, float) {}
void ICanvas::DrawConvexPolygon(const IColor&, float*, float*, int, const IBlend*, float) {}
void ICanvas::DrawDottedRect(const IColor&, const IRECT&, const IBlend*, float, float) {}
void ICanvas::FillTriangle(const IColor&, float, float, float, float, float, float, const IBlend*) {}
void ICanvas::FillRect(const IColor&, const IRECT&, const IBlend*) {}
void ICanvas::FillRoundRect(const IColor&, const IRECT&, float, const IBlend*) {}
void ICanvas::FillRoundRectCorners(const IColor&, const IRECT&, float, float, float, float, const IBlend*) {}
void ICanvas::FillCircle(const IColor&, float, float, float, const IBlend*) {}
void ICanvas::FillEllipse(const IColor&, const IRECT&, const IBlend*) {}
void ICanvas::FillEllipseRotated(const IColor&, float, float, float, float, float, const IBlend*) {}
void ICanvas::FillArc(const IColor&, float, float, float, float, float, const IBlend*) {}
void ICanvas::FillConvexPolygon(const IColor&, float*, float*, int, const IBlend*) {}
void ICanvas::DrawMultiLineText(const IText&, const char*, const IRECT&, const IBlend*) {}
void ICanvas::DrawGrid(const IColor&, const IRECT&, float, float, const IBlend*, float) {}
void ICanvas::DrawData(const IColor&, const IRECT&, float*, int, float*, const IBlend*, float, const IColor*)
{}

void ICanvas::DrawLineAcross(const IColor&, const IRECT&, EDirection, float, const IBlend*, float) {}
void ICanvas::DrawHorizontalLine(const IColor&, const IRECT&, float, const IBlend*, float) {}
void ICanvas::DrawVerticalLine(const IColor&, const IRECT&, float, const IBlend*, float) {}
void ICanvas::DrawVerticalLine(const IColor&, float, float, float, const IBlend*, float) {}
void ICanvas::DrawHorizontalLine(const IColor&, float, float, float, const IBlend*, float) {}
void ICanvas::DrawRadialLine(const IColor&, float, float, float, float, float, const IBlend*, float) {}

void ICanvas::PathRadialLine(float, float, float, float, float) {}
void ICanvas::PathTriangle(float, float, float, float, float, float) {}
void ICanvas::PathRect(const IRECT&) {}
void ICanvas::PathRoundRect(const IRECT&, float, float, float, float) {}
void ICanvas::PathRoundRect(const IRECT&, float) {}
void ICanvas::PathConvexPolygon(float*, float*, int) {}
void ICanvas::PathCircle(float, float, float) {}
void ICanvas::PathEllipse(float, float, float, float, float) {}
void ICanvas::PathEllipse(const IRECT&) {}
void ICanvas::PathClipRegion(const IRECT&) {}
void ICanvas::PathTransformSave() {}
void ICanvas::PathTransformRestore() {}
void ICanvas::PathTransformReset(bool) {}
void ICanvas::PathTransformTranslate(float, float) {}
void ICanvas::PathTransformScale(float, float) {}
void ICanvas::PathTransformScale(float) {}
void ICanvas::PathTransformRotate(float) {}
void ICanvas::PathTransformSkew(float, float) {}
void ICanvas::PathTransformMatrix(const IMatrix&) {}
void ICanvas::DoDrawSVG(const ISVG&, const IBlend*, const IColor*, const IColor*) {}

void ICanvas::CalculateTextRotation(const IText&, const IRECT&, IRECT&, double&, double&) const {}
void ICanvas::DoMeasureTextRotation(const IText&, const IRECT&, IRECT&) const {}
void ICanvas::StyleAllVectorControls(const IVStyle&) {}

} // namespace plugin::ui
