#include "graphics/svg/SvgStyle.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plugin::ui::svg {
namespace {

// A number in 0..1, or a percentage of 1, clamped.
bool ParseOpacity(std::string_view text, double& out)
{
  text = Trim(text);
  double v;
  if (!ScanNumber(text, v)) return false;
  if (text == "%")
    v /= 100;
  else if (!text.empty())
    return false;
  out = std::clamp(v, 0.0, 1.0);
  return true;
}

bool ParsePaint(std::string_view text, PaintSpec& out)
{
  text = Trim(text);
  if (text == "none" || text == "transparent") {
    out = PaintSpec{};
  } else if (text == "currentColor") {
    out = PaintSpec{PaintSpec::Kind::CurrentColor, 0, {}};
  } else if (text.substr(0, 4) == "url(") {
    const auto close = text.find(')');
    if (close == std::string_view::npos) return false;
    auto ref = Trim(text.substr(4, close - 4));
    if (ref.size() >= 2 && (ref.front() == '"' || ref.front() == '\'') && ref.back() == ref.front()) {
      ref = Trim(ref.substr(1, ref.size() - 2));
    }
    if (ref.size() < 2 || ref.front() != '#') return false; // only references into this document
    out = PaintSpec{PaintSpec::Kind::Url, 0, std::string(ref.substr(1))};
  } else {
    uint32_t rgb;
    if (!ParseColor(text, rgb)) return false;
    out = PaintSpec{PaintSpec::Kind::Color, rgb, {}};
  }
  return true;
}

// A non-negative width: stroke width, dash offset magnitude and dash lengths.
bool ParseWidth(std::string_view text, const Viewport& viewport, double& out)
{
  Length length;
  if (!ParseLength(text, viewport.dpi, length)) return false;
  out = ToPixels(length, viewport.Diagonal());
  return true;
}

void ParseDashArray(std::string_view text, Style& style, const Viewport& viewport)
{
  text = Trim(text);
  double dashes[2 * kSvgMaxDashes];
  int count = 0;
  double sum = 0;
  while (!text.empty() && count < kSvgMaxDashes) {
    // Each entry is a length up to the next comma or white space.
    size_t end = 0;
    while (end < text.size() && text[end] != ',' && text[end] != ' ' && text[end] != '\t' &&
           text[end] != '\n' && text[end] != '\r') {
      ++end;
    }
    double v;
    if (!ParseWidth(text.substr(0, end), viewport, v) || v < 0) {
      if (text != "none") return; // invalid lists leave the inherited dashes
      break;
    }
    dashes[count++] = v;
    sum += v;
    text = text.substr(end);
    SkipSeparators(text);
  }
  if (sum <= 0) count = 0; // "none", or only zero lengths: a solid line
  if (count % 2) {         // an odd list is repeated to make it even
    std::copy(dashes, dashes + count, dashes + count);
    count *= 2;
  }
  style.dashCount = std::min(count, kSvgMaxDashes);
  std::copy(dashes, dashes + style.dashCount, style.dashes);
}

template <typename E, size_t N>
void ParseKeyword(std::string_view text, const std::pair<std::string_view, E> (&table)[N], E& out)
{
  text = Trim(text);
  for (const auto& [name, value] : table) {
    if (text == name) out = value;
  }
}

constexpr std::pair<std::string_view, SvgLineJoin> kJoins[] = {
    {"miter", SvgLineJoin::Miter}, {"round", SvgLineJoin::Round}, {"bevel", SvgLineJoin::Bevel}};
constexpr std::pair<std::string_view, SvgLineCap> kCaps[] = {
    {"butt", SvgLineCap::Butt}, {"round", SvgLineCap::Round}, {"square", SvgLineCap::Square}};
constexpr std::pair<std::string_view, SvgFillRule> kRules[] = {{"nonzero", SvgFillRule::NonZero},
                                                               {"evenodd", SvgFillRule::EvenOdd}};
constexpr std::pair<std::string_view, bool> kVisibility[] = {
    {"visible", false}, {"hidden", true}, {"collapse", true}};

} // namespace

double Viewport::Diagonal() const
{
  return std::sqrt((width * width + height * height) / 2);
}

Style ChildStyle(const Style& parent)
{
  Style child = parent;
  child.ownOpacity = 1;
  child.ownDisplayNone = false;
  child.stopColor = SvgPackColor(0, 0, 0, 0);
  child.stopOpacity = 1;
  child.stopCurrentColor = false;
  return child;
}

void ApplyProperty(Style& s, std::string_view name, std::string_view value, const Viewport& viewport)
{
  if (Trim(value) == "inherit") return;
  double v;
  if (name == "fill") {
    ParsePaint(value, s.fill);
  } else if (name == "stroke") {
    ParsePaint(value, s.stroke);
  } else if (name == "color") {
    ParseColor(value, s.color);
  } else if (name == "fill-opacity") {
    ParseOpacity(value, s.fillOpacity);
  } else if (name == "stroke-opacity") {
    ParseOpacity(value, s.strokeOpacity);
  } else if (name == "opacity") {
    ParseOpacity(value, s.ownOpacity);
  } else if (name == "stop-opacity") {
    ParseOpacity(value, s.stopOpacity);
  } else if (name == "stop-color") {
    s.stopCurrentColor = Trim(value) == "currentColor";
    if (!s.stopCurrentColor) ParseColor(value, s.stopColor);
  } else if (name == "stroke-width") {
    if (ParseWidth(value, viewport, v) && v >= 0) s.strokeWidth = v;
  } else if (name == "stroke-dashoffset") {
    if (ParseWidth(value, viewport, v)) s.dashOffset = v;
  } else if (name == "stroke-miterlimit") {
    if (ScanNumber(value, v) && Trim(value).empty() && v >= 1) s.miterLimit = v;
  } else if (name == "stroke-dasharray") {
    ParseDashArray(value, s, viewport);
  } else if (name == "stroke-linejoin") {
    ParseKeyword(value, kJoins, s.lineJoin);
  } else if (name == "stroke-linecap") {
    ParseKeyword(value, kCaps, s.lineCap);
  } else if (name == "fill-rule") {
    ParseKeyword(value, kRules, s.fillRule);
  } else if (name == "visibility") {
    ParseKeyword(value, kVisibility, s.hidden);
  } else if (name == "display") {
    s.ownDisplayNone = Trim(value) == "none";
  }
}

void ApplyStyleAttribute(Style& style, std::string_view text, const Viewport& viewport)
{
  while (!text.empty()) {
    const auto semi = text.find(';');
    const auto declaration = text.substr(0, semi);
    text = semi == std::string_view::npos ? std::string_view() : text.substr(semi + 1);
    const auto colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    auto value = Trim(declaration.substr(colon + 1));
    if (const auto bang = value.find("!important"); bang != std::string_view::npos) {
      value = Trim(value.substr(0, bang));
    }
    ApplyProperty(style, Trim(declaration.substr(0, colon)), value, viewport);
  }
}

void FinishStyle(Style& style)
{
  style.opacity *= style.ownOpacity;
  style.displayNone = style.displayNone || style.ownDisplayNone;
  if (style.stopCurrentColor) style.stopColor = style.color;
}

} // namespace plugin::ui::svg
