#pragma once

#include <cstdint>
#include <string_view>

namespace plugin::ui::svg {

// Affine transform a b c d e f: a point (x, y) maps to (a x + c y + e, b x + d y + f).
struct Matrix
{
  double m[6] = {1, 0, 0, 1, 0, 0};
};

// p x q: the result applies q first, then p.
Matrix Multiply(const Matrix& p, const Matrix& q);

// False, leaving out alone, when m cannot be inverted.
bool Invert(const Matrix& m, Matrix& out);

// True when v is finite and within the range of float.
bool FitsFloat(double v);

// The packed colour rgb with its alpha byte set from alpha (0..1, clamped).
uint32_t WithAlpha(uint32_t rgb, double alpha);

// Geometric mean of the two axis scales: how widths grow under m.
double MeanScale(const Matrix& m);

struct Length
{
  double value = 0;
  bool percent = false;
  double pixelsPerUnit = 1; // for a unit such as "mm"; 1 for plain numbers and percentages
};

// Trims white space on both ends.
std::string_view Trim(std::string_view s);

// Skips white space and at most one comma, as between the numbers of a list.
void SkipSeparators(std::string_view& s);

// Reads one number at the front of s (after white space) and advances past it. False, with s
// unchanged, when there is none, or when it does not fit a finite float.
bool ScanNumber(std::string_view& s, double& value);

// Pixels per unit for "px", "pt", "pc", "mm", "cm", "in", "em", "ex" at dpi; 0 for anything else.
double PixelsPerUnit(std::string_view unit, double dpi);

// A number with an optional unit or '%', alone in the text. False for anything else.
bool ParseLength(std::string_view text, double dpi, Length& out);

// The length in pixels; a percentage is taken of percentBase.
double ToPixels(const Length& length, double percentBase);

// "#rgb", "#rrggbb", "rgb(r, g, b)" (numbers or percentages) or a colour name, into a packed
// colour with alpha 0. False when the text is none of these.
bool ParseColor(std::string_view text, uint32_t& rgb);

// A transform list (matrix, translate, scale, rotate, skewX, skewY) composed left to right.
// False for malformed text.
bool ParseTransform(std::string_view text, Matrix& out);

} // namespace plugin::ui::svg
