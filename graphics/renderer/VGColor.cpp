#include "graphics/renderer/VGColor.h"

#include <algorithm>
#include <cmath>

namespace {

float Clamp01(float v)
{
  return std::min(std::max(v, 0.0f), 1.0f);
}

float Hue(float h, float m1, float m2)
{
  if (h < 0) h += 1;
  if (h > 1) h -= 1;
  if (h < 1.0f / 6.0f) return m1 + (m2 - m1) * h * 6.0f;
  if (h < 3.0f / 6.0f) return m2;
  if (h < 4.0f / 6.0f) return m1 + (m2 - m1) * (2.0f / 3.0f - h) * 6.0f;
  return m1;
}

} // namespace

VGcolor vgRGB(unsigned char r, unsigned char g, unsigned char b)
{
  return vgRGBA(r, g, b, 255);
}

VGcolor vgRGBf(float r, float g, float b)
{
  return vgRGBAf(r, g, b, 1.0f);
}

VGcolor vgRGBA(unsigned char r, unsigned char g, unsigned char b, unsigned char a)
{
  return VGcolor{r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

VGcolor vgRGBAf(float r, float g, float b, float a)
{
  return VGcolor{r, g, b, a};
}

VGcolor vgTransRGBA(VGcolor c, unsigned char a)
{
  c.a = a / 255.0f;
  return c;
}

VGcolor vgTransRGBAf(VGcolor c, float a)
{
  c.a = a;
  return c;
}

VGcolor vgLerpRGBA(VGcolor c0, VGcolor c1, float u)
{
  u = Clamp01(u);
  return VGcolor{c0.r + (c1.r - c0.r) * u, c0.g + (c1.g - c0.g) * u, c0.b + (c1.b - c0.b) * u,
                 c0.a + (c1.a - c0.a) * u};
}

VGcolor vgHSL(float h, float s, float l)
{
  return vgHSLA(h, s, l, 255);
}

VGcolor vgHSLA(float h, float s, float l, unsigned char a)
{
  h = std::fmod(h, 1.0f);
  if (h < 0.0f) h += 1.0f;
  s = Clamp01(s);
  l = Clamp01(l);
  const float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s;
  const float m1 = 2 * l - m2;
  return VGcolor{Clamp01(Hue(h + 1.0f / 3.0f, m1, m2)), Clamp01(Hue(h, m1, m2)),
                 Clamp01(Hue(h - 1.0f / 3.0f, m1, m2)), a / 255.0f};
}
