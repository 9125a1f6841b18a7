#pragma once

#include "support/ui/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

// Expected recorded calls of the drawing primitives, in the shape RecordingCanvas records them,
// and one comparison that reports the first difference of a whole sequence.
namespace drawcalls {

using plugin::ui::IBlend;
using plugin::ui::IColor;
using plugin::ui::IFillOptions;
using plugin::ui::IMatrix;
using plugin::ui::IRECT;
using plugin::ui::IStrokeOptions;
using plugin::ui::test::CanvasCall;
using Calls = std::vector<CanvasCall>;

CanvasCall Clear();
CanvasCall Close();
CanvasCall Move(double x, double y);
CanvasCall Line(double x, double y);
CanvasCall Arc(double cx, double cy, double r, double a1, double a2);
CanvasCall Cubic(double c1x, double c1y, double c2x, double c2y, double x, double y);
CanvasCall Winding(bool hole);
CanvasCall Matrix(const IMatrix& m);
CanvasCall Clip(const IRECT& r);
// A solid stroke or fill of the colour.
CanvasCall Stroke(const IColor& c, double thickness = 1.0, const IStrokeOptions& o = IStrokeOptions(),
                  const IBlend* blend = nullptr);
CanvasCall Fill(const IColor& c, const IFillOptions& o = IFillOptions(), const IBlend* blend = nullptr);
// The path of a rectangle (PathRect).
Calls RectPath(const IRECT& r);
// Concatenation.
Calls Join(std::initializer_list<Calls> parts);

// The calls of the drawing primitives only (path, stroke, fill, transform, clip, bitmap, text).
Calls DrawOnly(const Calls& calls);
// Equal in length, names, texts and every argument within tol.
::testing::AssertionResult SameCalls(const Calls& actual, const Calls& expected, double tol = 1e-4);

} // namespace drawcalls
