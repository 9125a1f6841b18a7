#include "platform/mac/system/Image.h"

#include "platform/mac/system/SystemFiles.h"

#include <cmath>

namespace plugin::sys {

std::shared_ptr<Image> Image::WithSize(Size size)
{
  auto image = std::make_shared<Image>();
  image->SetSize(size);
  return image;
}

std::shared_ptr<Image> Image::ReferencingFile(std::string path)
{
  auto image = std::make_shared<Image>();
  if (auto artwork = SystemFiles::ArtworkAt(path)) {
    image->SetSize(artwork->size);
    image->mArtwork = std::move(artwork);
  }
  return image;
}

void Image::SetSize(Size size) noexcept
{
  if (std::isfinite(size.width) && std::isfinite(size.height) && size.width >= 0.0 && size.height >= 0.0)
    mSize = size;
}

BitmapImageRef Image::BitmapForCtmScale(double ctmScale) const
{
  if (!mArtwork) return nullptr;
  return mArtwork->Render(ctmScale);
}

void Image::AddRepresentation(BitmapImageRepRef rep)
{
  if (rep) mReps.push_back(std::move(rep));
}

} // namespace plugin::sys
