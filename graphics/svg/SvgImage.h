#pragma once

#include <cstdint>
#include <vector>

namespace plugin::ui {

// A parsed SVG image as the toolkit draws it: a list of shapes, each with its paths already
// mapped into the image's own coordinates (0, 0 at the top left, width x height in the units the
// image was parsed for). Every path is a start point followed by cubic Bezier segments of three
// points each (two control points, then the end point). Plain records, no behaviour; made by
// SvgParse, freed by SvgDelete.

// Paint kinds of a shape's fill or stroke.
enum class SvgPaintType : int { None = 0, Color = 1, LinearGradient = 2, RadialGradient = 3 };

// How a gradient continues beyond its first and last stop.
enum class SvgSpread : int { Pad = 0, Reflect = 1, Repeat = 2 };

enum class SvgLineJoin : int { Miter = 0, Round = 1, Bevel = 2 };
enum class SvgLineCap : int { Butt = 0, Round = 1, Square = 2 };
enum class SvgFillRule : int { NonZero = 0, EvenOdd = 1 };

// Bits of SvgShape::flags.
constexpr int kSvgFlagVisible = 1;

// At most this many dash lengths are kept per shape.
constexpr int kSvgMaxDashes = 8;

// Colours are packed as 0xAABBGGRR: red in bits 0-7, green 8-15, blue 16-23, alpha 24-31.
constexpr uint32_t SvgPackColor(int r, int g, int b, int a)
{
  return uint32_t(r & 255) | uint32_t(g & 255) << 8 | uint32_t(b & 255) << 16 | uint32_t(a & 255) << 24;
}

struct SvgGradientStop
{
  uint32_t color = 0; // packed; alpha is the stop opacity times the fill or stroke opacity
  float offset = 0;   // 0..1, never less than the previous stop's
};

struct SvgGradient
{
  // Maps image coordinates into the gradient's unit space: a linear gradient runs from (0, 0) to
  // (0, 1) there, a radial one is the circle of radius 1 around (0, 0). Order xx, yx, xy, yy, tx, ty.
  float xform[6] = {1, 0, 0, 1, 0, 0};
  SvgSpread spread = SvgSpread::Pad;
  std::vector<SvgGradientStop> stops; // at least two for a gradient paint
};

struct SvgPaint
{
  SvgPaintType type = SvgPaintType::None;
  uint32_t color = 0;   // packed, for Color; alpha is the fill or stroke opacity
  SvgGradient gradient; // for the two gradient types
};

struct SvgPoint
{
  float x = 0, y = 0;
};

struct SvgPath
{
  std::vector<SvgPoint> points; // start point, then 3 per cubic segment: 1 + 3n points, n >= 1
  bool closed = false;
  float bounds[4] = {0, 0, 0, 0}; // tight bounds of the curve: min x, min y, max x, max y
};

struct SvgShape
{
  int flags = 0;     // kSvgFlagVisible when the shape is displayed
  float opacity = 1; // product of the opacities of the shape and its groups, 0..1
  SvgPaint fill;
  SvgPaint stroke;
  float strokeWidth = 1; // in image units (scaled with the shape's transform)
  float strokeDashOffset = 0;
  float strokeDashArray[kSvgMaxDashes] = {};
  int strokeDashCount = 0; // 0: solid
  SvgLineJoin strokeLineJoin = SvgLineJoin::Miter;
  SvgLineCap strokeLineCap = SvgLineCap::Butt;
  float miterLimit = 4;
  SvgFillRule fillRule = SvgFillRule::NonZero;
  float bounds[4] = {0, 0, 0, 0}; // union of the paths' bounds
  std::vector<SvgPath> paths;     // never empty
};

struct SvgImage
{
  float width = 0, height = 0;  // in the units asked for; 0 when the document gives no size
  std::vector<SvgShape> shapes; // in document order
};

// Parses zero-terminated SVG text. units ("px", "pt", "pc", "mm", "cm", "in"; null or unknown
// means "px") are the units of the resulting coordinates; dpi converts between physical units
// and pixels (96 when not positive). Returns an image owned by the caller, to be freed with
// SvgDelete, or null for null text, malformed XML, a root that is not <svg>, or a document beyond
// the size limits. Any thread; allocates; no shared state.
SvgImage* SvgParse(const char* text, const char* units, float dpi);

// Frees an image from SvgParse; null is allowed.
void SvgDelete(SvgImage* image);

} // namespace plugin::ui
