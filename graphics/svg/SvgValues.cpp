#include "graphics/svg/SvgValues.h"

#include "graphics/svg/SvgImage.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <numbers>
#include <utility>

namespace plugin::ui::svg {
namespace {

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

char Lower(char c)
{
  return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

int HexDigit(char c)
{
  if (IsDigit(c)) return c - '0';
  c = Lower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool ParseHexColor(std::string_view hex, uint32_t& rgb)
{
  if (hex.size() != 3 && hex.size() != 6) return false;
  int v[6];
  for (size_t i = 0; i < hex.size(); ++i) {
    if ((v[i] = HexDigit(hex[i])) < 0) return false;
  }
  if (hex.size() == 3)
    rgb = SvgPackColor(v[0] * 17, v[1] * 17, v[2] * 17, 0);
  else
    rgb = SvgPackColor(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5], 0);
  return true;
}

bool ParseRgbFunction(std::string_view args, uint32_t& rgb)
{
  int c[3];
  for (int i = 0; i < 3; ++i) {
    if (i) SkipSeparators(args);
    double v;
    if (!ScanNumber(args, v)) return false;
    if (!args.empty() && args[0] == '%') {
      v = v * 255 / 100;
      args.remove_prefix(1);
    }
    c[i] = int(std::lround(std::clamp(v, 0.0, 255.0)));
  }
  if (!Trim(args).empty()) return false;
  rgb = SvgPackColor(c[0], c[1], c[2], 0);
  return true;
}

struct NamedColor
{
  std::string_view name;
  uint32_t rgb; // 0xRRGGBB as written in style sheets
};

constexpr NamedColor kNamedColors[] = {
    {"black", 0x000000},      {"white", 0xFFFFFF},     {"red", 0xFF0000},       {"green", 0x008000},
    {"blue", 0x0000FF},       {"yellow", 0xFFFF00},    {"cyan", 0x00FFFF},      {"aqua", 0x00FFFF},
    {"magenta", 0xFF00FF},    {"fuchsia", 0xFF00FF},   {"gray", 0x808080},      {"grey", 0x808080},
    {"silver", 0xC0C0C0},     {"maroon", 0x800000},    {"olive", 0x808000},     {"lime", 0x00FF00},
    {"teal", 0x008080},       {"navy", 0x000080},      {"purple", 0x800080},    {"orange", 0xFFA500},
    {"pink", 0xFFC0CB},       {"brown", 0xA52A2A},     {"gold", 0xFFD700},      {"indigo", 0x4B0082},
    {"violet", 0xEE82EE},     {"darkgray", 0xA9A9A9},  {"darkgrey", 0xA9A9A9},  {"lightgray", 0xD3D3D3},
    {"lightgrey", 0xD3D3D3},  {"dimgray", 0x696969},   {"dimgrey", 0x696969},   {"darkred", 0x8B0000},
    {"darkgreen", 0x006400},  {"darkblue", 0x00008B},  {"lightblue", 0xADD8E6}, {"skyblue", 0x87CEEB},
    {"steelblue", 0x4682B4},  {"coral", 0xFF7F50},     {"tomato", 0xFF6347},    {"salmon", 0xFA8072},
    {"crimson", 0xDC143C},    {"khaki", 0xF0E68C},     {"beige", 0xF5F5DC},     {"ivory", 0xFFFFF0},
    {"tan", 0xD2B48C},        {"chocolate", 0xD2691E}, {"turquoise", 0x40E0D0}, {"orchid", 0xDA70D6},
    {"whitesmoke", 0xF5F5F5}, {"gainsboro", 0xDCDCDC}, {"slategray", 0x708090}, {"slategrey", 0x708090},
};

Matrix Make(double a, double b, double c, double d, double e, double f)
{
  return Matrix{{a, b, c, d, e, f}};
}

// One transform function with its arguments; false when the count does not fit the name.
bool TransformFunction(std::string_view name, const double* v, int n, Matrix& out)
{
  const double toRad = std::numbers::pi / 180.0;
  if (name == "matrix" && n == 6) {
    out = Make(v[0], v[1], v[2], v[3], v[4], v[5]);
  } else if (name == "translate" && (n == 1 || n == 2)) {
    out = Make(1, 0, 0, 1, v[0], n == 2 ? v[1] : 0);
  } else if (name == "scale" && (n == 1 || n == 2)) {
    out = Make(v[0], 0, 0, n == 2 ? v[1] : v[0], 0, 0);
  } else if (name == "rotate" && (n == 1 || n == 3)) {
    const double c = std::cos(v[0] * toRad), s = std::sin(v[0] * toRad);
    out = Make(c, s, -s, c, 0, 0);
    if (n == 3) {
      out = Multiply(Make(1, 0, 0, 1, v[1], v[2]), Multiply(out, Make(1, 0, 0, 1, -v[1], -v[2])));
    }
  } else if (name == "skewX" && n == 1) {
    out = Make(1, 0, std::tan(v[0] * toRad), 1, 0, 0);
  } else if (name == "skewY" && n == 1) {
    out = Make(1, std::tan(v[0] * toRad), 0, 1, 0, 0);
  } else {
    return false;
  }
  return true;
}

} // namespace

Matrix Multiply(const Matrix& p, const Matrix& q)
{
  const double* a = p.m;
  const double* b = q.m;
  return Make(a[0] * b[0] + a[2] * b[1], a[1] * b[0] + a[3] * b[1], a[0] * b[2] + a[2] * b[3],
              a[1] * b[2] + a[3] * b[3], a[0] * b[4] + a[2] * b[5] + a[4], a[1] * b[4] + a[3] * b[5] + a[5]);
}

bool Invert(const Matrix& m, Matrix& out)
{
  const double* a = m.m;
  const double det = a[0] * a[3] - a[1] * a[2];
  if (!std::isfinite(det) || std::abs(det) < 1e-12) return false;
  const double inv = 1.0 / det;
  out = Make(a[3] * inv, -a[1] * inv, -a[2] * inv, a[0] * inv, (a[2] * a[5] - a[3] * a[4]) * inv,
             (a[1] * a[4] - a[0] * a[5]) * inv);
  return true;
}

bool FitsFloat(double v)
{
  return std::abs(v) <= FLT_MAX;
}

uint32_t WithAlpha(uint32_t rgb, double alpha)
{
  return (rgb & 0xFFFFFFu) | uint32_t(std::lround(std::clamp(alpha, 0.0, 1.0) * 255)) << 24;
}

double MeanScale(const Matrix& m)
{
  return std::sqrt(std::abs(m.m[0] * m.m[3] - m.m[1] * m.m[2]));
}

std::string_view Trim(std::string_view s)
{
  while (!s.empty() && IsSpace(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back()))
    s.remove_suffix(1);
  return s;
}

void SkipSeparators(std::string_view& s)
{
  while (!s.empty() && IsSpace(s.front()))
    s.remove_prefix(1);
  if (!s.empty() && s.front() == ',') s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.front()))
    s.remove_prefix(1);
}

bool ScanNumber(std::string_view& s, double& value)
{
  std::string_view t = s;
  while (!t.empty() && IsSpace(t.front()))
    t.remove_prefix(1);
  size_t i = 0;
  const auto at = [&](size_t k) { return k < t.size() ? t[k] : '\0'; };
  const bool plus = at(0) == '+';
  if (plus || at(0) == '-') ++i;
  size_t digits = 0;
  while (IsDigit(at(i)))
    ++i, ++digits;
  if (at(i) == '.') {
    ++i;
    while (IsDigit(at(i)))
      ++i, ++digits;
  }
  if (!digits) return false;
  bool tinyOnOverflow = false;
  if (at(i) == 'e' || at(i) == 'E') { // only an exponent with digits: "1em" is a length
    size_t j = i + 1;
    tinyOnOverflow = at(j) == '-';
    if (at(j) == '+' || at(j) == '-') ++j;
    if (IsDigit(at(j))) {
      while (IsDigit(at(j)))
        ++j;
      i = j;
    }
  }
  double v = 0;
  const char* first = t.data() + (plus ? 1 : 0);
  const auto [end, ec] = std::from_chars(first, t.data() + i, v);
  if (ec == std::errc::result_out_of_range && tinyOnOverflow)
    v = 0;
  else if (ec != std::errc() || end != t.data() + i)
    return false;
  if (!FitsFloat(v)) return false;
  value = v;
  s = t.substr(i);
  return true;
}

double PixelsPerUnit(std::string_view unit, double dpi)
{
  static constexpr std::pair<std::string_view, double> kPerInch[] = {
      {"pt", 72}, {"pc", 6}, {"mm", 25.4}, {"cm", 2.54}, {"in", 1}};
  if (unit == "px") return 1;
  if (unit == "em") return 16; // the default font size: no fonts are read
  if (unit == "ex") return 8;
  for (const auto& [name, perInch] : kPerInch) {
    if (unit == name) return dpi / perInch;
  }
  return 0;
}

bool ParseLength(std::string_view text, double dpi, Length& out)
{
  text = Trim(text);
  double v;
  if (!ScanNumber(text, v)) return false;
  Length length{v, false, 1};
  if (text == "%") {
    length.percent = true;
  } else if (!text.empty()) {
    length.pixelsPerUnit = PixelsPerUnit(text, dpi);
    if (length.pixelsPerUnit <= 0) return false;
  }
  out = length;
  return true;
}

double ToPixels(const Length& length, double percentBase)
{
  return length.percent ? length.value / 100.0 * percentBase : length.value * length.pixelsPerUnit;
}

bool ParseColor(std::string_view text, uint32_t& rgb)
{
  text = Trim(text);
  if (!text.empty() && text[0] == '#') return ParseHexColor(text.substr(1), rgb);
  if (text.size() > 5 && EqualsNoCase(text.substr(0, 4), "rgb(") && text.back() == ')') {
    return ParseRgbFunction(text.substr(4, text.size() - 5), rgb);
  }
  for (const auto& named : kNamedColors) {
    if (EqualsNoCase(text, named.name)) {
      rgb = SvgPackColor(int(named.rgb >> 16), int(named.rgb >> 8), int(named.rgb), 0);
      return true;
    }
  }
  return false;
}

bool ParseTransform(std::string_view text, Matrix& out)
{
  Matrix result;
  for (;;) {
    while (!text.empty() && (IsSpace(text.front()) || text.front() == ','))
      text.remove_prefix(1);
    if (text.empty()) break;
    size_t n = 0;
    while (n < text.size() && ((text[n] | 32) >= 'a' && (text[n] | 32) <= 'z'))
      ++n;
    const auto name = text.substr(0, n);
    text = Trim(text.substr(n));
    if (text.empty() || text.front() != '(') return false;
    text.remove_prefix(1);
    double v[6];
    int count = 0;
    while (count < 6) {
      if (count) SkipSeparators(text);
      if (!ScanNumber(text, v[count])) break;
      ++count;
    }
    text = Trim(text);
    if (text.empty() || text.front() != ')') return false;
    text.remove_prefix(1);
    Matrix step;
    if (!TransformFunction(name, v, count, step)) return false;
    result = Multiply(result, step);
  }
  out = result;
  return true;
}

} // namespace plugin::ui::svg
