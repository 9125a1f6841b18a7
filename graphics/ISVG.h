#pragma once

namespace plugin::ui {

// A parsed SVG image as the SVG parser (graphics/svg) returns it.
struct SVGImage;

// Non-owning handle of a parsed SVG image held by the process-wide SVG cache; null when the
// image could not be loaded.
class ISVG
{
public:
  constexpr ISVG() = default;
  constexpr explicit ISVG(SVGImage* image) : mImage(image) {}

  constexpr bool IsValid() const { return mImage != nullptr; }
  constexpr SVGImage* GetImage() const { return mImage; }

private:
  SVGImage* mImage = nullptr;
};

// The SVG cache's entry: owns one parsed image and frees it with the parser's free function.
class SVGHolder
{
public:
  explicit SVGHolder(SVGImage* image) noexcept : mImage(image) {}
  ~SVGHolder();
  SVGHolder(const SVGHolder&) = delete;
  SVGHolder& operator=(const SVGHolder&) = delete;

  SVGImage* GetImage() const noexcept { return mImage; }

private:
  SVGImage* mImage;
};

} // namespace plugin::ui
