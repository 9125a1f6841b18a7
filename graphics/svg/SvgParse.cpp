#include "graphics/svg/SvgGradients.h"
#include "graphics/svg/SvgImage.h"
#include "graphics/svg/SvgPathBuilder.h"
#include "graphics/svg/SvgStyle.h"
#include "graphics/svg/SvgValues.h"
#include "graphics/svg/SvgXmlReader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace plugin::ui {
namespace svg {
namespace {

constexpr size_t kMaxPoints = size_t(1) << 20; // per image: 8 MB of coordinates
constexpr size_t kMaxShapes = size_t(1) << 16;

enum class Kind { Container, Gradient, Skip };

struct Frame
{
  Kind kind;
  Style style; // unused for skipped elements
};

// A shape's paint that names a gradient, resolved once every gradient is known.
struct PendingPaint
{
  size_t shape;
  bool stroke;
  std::string id;
  PaintTarget target;
  double opacity;
};

const std::string* FindAttribute(const XmlTag& tag, std::string_view name)
{
  for (const auto& attribute : tag.attributes) {
    if (attribute.name == name) return &attribute.value;
  }
  return nullptr;
}

// Walks the element tags of one document and collects its shapes.
class DocumentParser
{
public:
  DocumentParser(const char* text, const char* units, float dpi);

  // The image, or null for a document that is malformed or too large.
  std::unique_ptr<SvgImage> Parse();

private:
  bool Open(const XmlTag& tag);
  bool OpenRoot(const XmlTag& tag);
  Style ElementStyle(const XmlTag& tag, const Style& parent) const;
  std::optional<double> LengthAttribute(const XmlTag& tag, std::string_view name, double base) const;
  bool AddShape(const XmlTag& tag, const Style& style);
  bool EmitShape(std::vector<LocalPath>& paths, const Style& style);
  SvgPaint MakePaint(const PaintSpec& spec, double opacity, const Style& style, bool stroke,
                     const PaintTarget& target);
  void Finish();

  XmlReader mReader;
  std::vector<Frame> mStack;
  GradientTable mGradients;
  std::vector<PendingPaint> mPending;
  std::unique_ptr<SvgImage> mImage = std::make_unique<SvgImage>();
  Viewport mViewport;
  double mUnitScale = 1; // output units per pixel
  bool mWidthKnown = false, mHeightKnown = false;
  size_t mPointBudget = kMaxPoints;
};

DocumentParser::DocumentParser(const char* text, const char* units, float dpi) : mReader(text)
{
  mViewport.dpi = dpi > 0 && std::isfinite(dpi) ? dpi : 96;
  const double perUnit = units ? PixelsPerUnit(units, mViewport.dpi) : 1;
  mUnitScale = perUnit > 0 ? 1 / perUnit : 1;
}

std::unique_ptr<SvgImage> DocumentParser::Parse()
{
  XmlTag tag;
  while (mReader.Next(tag)) {
    if (!tag.start) {
      mStack.pop_back();
    } else if (!Open(tag)) {
      return nullptr;
    }
  }
  if (mReader.Failed()) return nullptr;
  Finish();
  return std::move(mImage);
}

bool DocumentParser::Open(const XmlTag& tag)
{
  if (mStack.empty()) return OpenRoot(tag);
  const Frame& parent = mStack.back();
  const auto name = tag.name;
  if (parent.kind == Kind::Skip) {
    mStack.push_back({Kind::Skip, {}});
  } else if (parent.kind == Kind::Gradient) {
    if (name == "stop") {
      const auto* offset = FindAttribute(tag, "offset");
      mGradients.AddStop(offset ? std::string_view(*offset) : "0", ElementStyle(tag, parent.style));
    }
    mStack.push_back({Kind::Skip, {}});
  } else if (name == "g" || name == "svg" || name == "defs") { // an inner svg is drawn as a group
    Style style = ElementStyle(tag, parent.style);
    style.inDefs = style.inDefs || name == "defs";
    mStack.push_back({Kind::Container, std::move(style)});
  } else if (name == "linearGradient" || name == "radialGradient") {
    if (!mGradients.Add(name == "radialGradient", tag.attributes, mViewport.dpi)) return false;
    mStack.push_back({Kind::Gradient, ElementStyle(tag, parent.style)});
  } else if (name == "path" || name == "rect" || name == "circle" || name == "ellipse" || name == "line" ||
             name == "polyline" || name == "polygon") {
    if (!AddShape(tag, ElementStyle(tag, parent.style))) return false;
    mStack.push_back({Kind::Skip, {}}); // shapes draw no children
  } else {
    mStack.push_back({Kind::Skip, {}}); // unknown elements are skipped with all they hold
  }
  return true;
}

bool DocumentParser::OpenRoot(const XmlTag& tag)
{
  if (tag.name != "svg") return false;
  const auto size = [&](std::string_view name, bool& known) {
    Length length;
    const auto* text = FindAttribute(tag, name);
    known = text && ParseLength(*text, mViewport.dpi, length) && !length.percent && length.value >= 0;
    return known ? ToPixels(length, 0) : 0.0;
  };
  double width = size("width", mWidthKnown), height = size("height", mHeightKnown);
  double box[4] = {0, 0, 0, 0};
  bool hasBox = false;
  if (const auto* text = FindAttribute(tag, "viewBox")) {
    std::string_view s = *text;
    hasBox = true;
    for (int i = 0; i < 4 && hasBox; ++i) {
      if (i) SkipSeparators(s);
      hasBox = ScanNumber(s, box[i]);
    }
    hasBox = hasBox && box[2] > 0 && box[3] > 0;
  }
  Matrix view;
  if (hasBox) {
    if (!mWidthKnown) width = box[2];
    if (!mHeightKnown) height = box[3];
    mWidthKnown = mHeightKnown = true;
    // preserveAspectRatio: an alignment (or "none") and "meet" (default) or "slice".
    double alignX = 0.5, alignY = 0.5;
    bool uniform = true, slice = false;
    if (const auto* text = FindAttribute(tag, "preserveAspectRatio")) {
      const std::string_view par = *text;
      uniform = par.find("none") == std::string_view::npos;
      slice = par.find("slice") != std::string_view::npos;
      const auto align = par.find('x');
      if (align != std::string_view::npos && par.size() >= align + 8) {
        const auto fraction = [](std::string_view word) {
          return word == "Min" ? 0.0 : word == "Max" ? 1.0 : 0.5;
        };
        alignX = fraction(par.substr(align + 1, 3));
        alignY = fraction(par.substr(align + 5, 3));
      }
    }
    double sx = width / box[2], sy = height / box[3];
    if (uniform) sx = sy = slice ? std::max(sx, sy) : std::min(sx, sy);
    view = Matrix{{sx, 0, 0, sy, (width - box[2] * sx) * alignX - box[0] * sx,
                   (height - box[3] * sy) * alignY - box[1] * sy}};
    mViewport.width = box[2];
    mViewport.height = box[3];
  } else {
    if (mWidthKnown) mViewport.width = width;
    if (mHeightKnown) mViewport.height = height;
  }
  mImage->width = float(std::min<double>(width * mUnitScale, std::numeric_limits<float>::max()));
  mImage->height = float(std::min<double>(height * mUnitScale, std::numeric_limits<float>::max()));
  Style root;
  root.ctm = Multiply(Matrix{{mUnitScale, 0, 0, mUnitScale, 0, 0}}, view);
  mStack.push_back({Kind::Container, ElementStyle(tag, root)});
  return true;
}

Style DocumentParser::ElementStyle(const XmlTag& tag, const Style& parent) const
{
  Style style = ChildStyle(parent);
  const std::string* declarations = nullptr;
  for (const auto& [name, value] : tag.attributes) {
    Matrix m;
    if (name == "style") {
      declarations = &value;
    } else if (name == "transform") {
      if (ParseTransform(value, m)) style.ctm = Multiply(style.ctm, m);
    } else {
      ApplyProperty(style, name, value, mViewport);
    }
  }
  if (declarations) ApplyStyleAttribute(style, *declarations, mViewport); // overrides the attributes
  FinishStyle(style);
  return style;
}

std::optional<double> DocumentParser::LengthAttribute(const XmlTag& tag, std::string_view name,
                                                      double base) const
{
  Length length;
  const auto* text = FindAttribute(tag, name);
  if (!text || !ParseLength(*text, mViewport.dpi, length)) return std::nullopt;
  return ToPixels(length, base);
}

bool DocumentParser::AddShape(const XmlTag& tag, const Style& style)
{
  PathBuilder b(mPointBudget);
  const double w = mViewport.width, h = mViewport.height, d = mViewport.Diagonal();
  const auto length = [&](std::string_view name, double base) {
    return LengthAttribute(tag, name, base).value_or(0.0);
  };
  const auto name = tag.name;
  if (name == "path") {
    if (const auto* data = FindAttribute(tag, "d")) AppendPathData(*data, b);
  } else if (name == "rect") {
    const double rw = length("width", w), rh = length("height", h);
    auto rx = LengthAttribute(tag, "rx", w), ry = LengthAttribute(tag, "ry", h);
    if (rx && *rx < 0) rx.reset();
    if (ry && *ry < 0) ry.reset();
    if (!rx) rx = ry; // one radius given serves for both
    if (!ry) ry = rx;
    if (rw > 0 && rh > 0) {
      AppendRect(b, length("x", w), length("y", h), rw, rh, std::min(rx.value_or(0), rw / 2),
                 std::min(ry.value_or(0), rh / 2));
    }
  } else if (name == "circle") {
    const double r = length("r", d);
    if (r > 0) AppendEllipse(b, length("cx", w), length("cy", h), r, r);
  } else if (name == "ellipse") {
    const double rx = length("rx", w), ry = length("ry", h);
    if (rx > 0 && ry > 0) AppendEllipse(b, length("cx", w), length("cy", h), rx, ry);
  } else if (name == "line") {
    b.MoveTo({length("x1", w), length("y1", h)});
    b.LineTo({length("x2", w), length("y2", h)});
  } else if (const auto* points = FindAttribute(tag, "points")) {
    AppendPoints(*points, name == "polygon", b);
  }
  if (b.OverLimit()) return false;
  auto paths = b.Take();
  for (const auto& path : paths)
    mPointBudget -= path.points.size();
  if (style.inDefs || paths.empty()) return true;
  return EmitShape(paths, style);
}

bool DocumentParser::EmitShape(std::vector<LocalPath>& paths, const Style& style)
{
  if (mImage->shapes.size() >= kMaxShapes) return false;
  SvgShape shape;
  PaintTarget target;
  target.ctm = style.ctm;
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double local[4] = {kInf, kInf, -kInf, -kInf}, all[4] = {kInf, kInf, -kInf, -kInf};
  const auto unite = [](double* into, const double* b) {
    into[0] = std::min(into[0], b[0]), into[1] = std::min(into[1], b[1]);
    into[2] = std::max(into[2], b[2]), into[3] = std::max(into[3], b[3]);
  };
  const double* m = style.ctm.m;
  for (auto& path : paths) {
    double b[4];
    CurveBounds(path.points, b);
    unite(local, b);
    for (auto& p : path.points)
      p = {m[0] * p.x + m[2] * p.y + m[4], m[1] * p.x + m[3] * p.y + m[5]};
    CurveBounds(path.points, b);
    unite(all, b);
    SvgPath out;
    out.closed = path.closed;
    out.points.reserve(path.points.size());
    for (const auto& p : path.points) {
      if (!FitsFloat(p.x) || !FitsFloat(p.y)) return true; // a shape beyond float range is dropped
      out.points.push_back({float(p.x), float(p.y)});
    }
    std::copy(b, b + 4, out.bounds);
    shape.paths.push_back(std::move(out));
  }
  std::copy(all, all + 4, shape.bounds);
  std::copy(local, local + 4, target.bounds);

  const double scale = MeanScale(style.ctm);
  const double strokeWidth = style.strokeWidth * scale, dashOffset = style.dashOffset * scale;
  if (!FitsFloat(strokeWidth) || !FitsFloat(dashOffset)) return true;
  shape.strokeWidth = float(strokeWidth);
  shape.strokeDashOffset = float(dashOffset);
  for (int i = 0; i < style.dashCount; ++i) {
    if (!FitsFloat(style.dashes[i] * scale)) return true;
    shape.strokeDashArray[i] = float(style.dashes[i] * scale);
  }
  shape.strokeDashCount = style.dashCount;
  shape.strokeLineJoin = style.lineJoin;
  shape.strokeLineCap = style.lineCap;
  shape.miterLimit = float(style.miterLimit);
  shape.fillRule = style.fillRule;
  shape.flags = style.displayNone || style.hidden ? 0 : kSvgFlagVisible;
  shape.opacity = float(std::clamp(style.opacity, 0.0, 1.0));
  shape.fill = MakePaint(style.fill, style.fillOpacity, style, false, target);
  if (shape.strokeWidth > 0) shape.stroke = MakePaint(style.stroke, style.strokeOpacity, style, true, target);
  mImage->shapes.push_back(std::move(shape));
  return true;
}

SvgPaint DocumentParser::MakePaint(const PaintSpec& spec, double opacity, const Style& style, bool stroke,
                                   const PaintTarget& target)
{
  SvgPaint paint;
  if (spec.kind == PaintSpec::Kind::Color || spec.kind == PaintSpec::Kind::CurrentColor) {
    paint.type = SvgPaintType::Color;
    paint.color = WithAlpha(spec.kind == PaintSpec::Kind::Color ? spec.rgb : style.color, opacity);
  } else if (spec.kind == PaintSpec::Kind::Url) {
    mPending.push_back({mImage->shapes.size(), stroke, spec.id, target, opacity});
  }
  return paint;
}

void DocumentParser::Finish()
{
  mGradients.Link();
  for (const auto& p : mPending) {
    auto& shape = mImage->shapes[p.shape];
    (p.stroke ? shape.stroke : shape.fill) = mGradients.Resolve(p.id, p.target, p.opacity, mViewport);
  }
  // Without a size in the document, the image reaches to the far edges of its shapes.
  for (const auto& shape : mImage->shapes) {
    if (!mWidthKnown) mImage->width = std::max(mImage->width, shape.bounds[2]);
    if (!mHeightKnown) mImage->height = std::max(mImage->height, shape.bounds[3]);
  }
}

} // namespace
} // namespace svg

SvgImage* SvgParse(const char* text, const char* units, float dpi)
{
  if (!text) return nullptr;
  return svg::DocumentParser(text, units, dpi).Parse().release();
}

void SvgDelete(SvgImage* image)
{
  delete image;
}

} // namespace plugin::ui
