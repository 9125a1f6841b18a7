#pragma once

namespace plugin::ui {

// The renderer's image: its handle, size in pixels, pixel scale (1, 2, 3 ...) and the draw scale
// it was made for. The renderer derives its own kind; caches and layers own and delete them.
class APIBitmap
{
public:
  APIBitmap() = default;
  APIBitmap(int image, int width, int height, float scale, float drawScale) noexcept
      : mImage(image), mWidth(width), mHeight(height), mScale(scale), mDrawScale(drawScale)
  {}
  virtual ~APIBitmap() = default;
  APIBitmap(const APIBitmap&) = delete;
  APIBitmap& operator=(const APIBitmap&) = delete;

  // Replaces every field; used by renderers that fill the record after making the image.
  void SetBitmap(int image, int width, int height, float scale, float drawScale) noexcept
  {
    mImage = image;
    mWidth = width;
    mHeight = height;
    mScale = scale;
    mDrawScale = drawScale;
  }

  int GetImage() const noexcept { return mImage; }
  int GetWidth() const noexcept { return mWidth; }
  int GetHeight() const noexcept { return mHeight; }
  float GetScale() const noexcept { return mScale; }
  float GetDrawScale() const noexcept { return mDrawScale; }

private:
  int mImage = 0;
  int mWidth = 0;
  int mHeight = 0;
  float mScale = 1.f;
  float mDrawScale = 1.f;
};

} // namespace plugin::ui
