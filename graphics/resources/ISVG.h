#pragma once

namespace plugin::ui {

// A parsed SVG image as the SVG parser (graphics/svg) returns it.
struct SvgImage;

// Non-owning handle of a parsed SVG image held by the process-wide SVG cache; null when the
// image could not be loaded.
class ISVG
{
public:
  constexpr ISVG() = default;
  constexpr explicit ISVG(SvgImage* image) : mImage(image) {}

  constexpr bool IsValid() const { return mImage != nullptr; }
  constexpr SvgImage* GetImage() const { return mImage; }
  // The image's own width and height; 0 for a null handle.
  float W() const noexcept;
  float H() const noexcept;

private:
  SvgImage* mImage = nullptr;
};

// The SVG cache's entry: owns one parsed image and frees it with the parser.
class SVGHolder
{
public:
  explicit SVGHolder(SvgImage* image) noexcept : mImage(image) {}
  ~SVGHolder();
  SVGHolder(const SVGHolder&) = delete;
  SVGHolder& operator=(const SVGHolder&) = delete;

  SvgImage* GetImage() const noexcept { return mImage; }

private:
  SvgImage* mImage;
};

} // namespace plugin::ui
