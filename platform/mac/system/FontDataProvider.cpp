#include "platform/mac/system/FontDataProvider.h"

#include "framework/buffers/WholeFile.h"

#include <cstring>
#include <new>

namespace plugin::sys {

std::shared_ptr<FontDataProvider> FontDataProvider::CreateWithUrl(const FileUrl& url)
{
  std::shared_ptr<FontDataProvider> provider(new (std::nothrow) FontDataProvider());
  if (!provider || !ReadWholeFile(url.path.c_str(), provider->mFileBytes) || provider->mFileBytes.Size() == 0)
    return nullptr;
  provider->mData = provider->mFileBytes.GetData();
  provider->mSize = static_cast<size_t>(provider->mFileBytes.Size());
  return provider;
}

std::shared_ptr<FontDataProvider> FontDataProvider::CreateWithData(void* info, const void* data, size_t size,
                                                                   ReleaseFunc release)
{
  if (!data) return nullptr;
  std::shared_ptr<FontDataProvider> provider(new (std::nothrow) FontDataProvider());
  if (!provider) return nullptr;
  provider->mData = data;
  provider->mSize = size;
  provider->mInfo = info;
  provider->mRelease = release;
  return provider;
}

FontDataProvider::~FontDataProvider()
{
  if (mRelease) mRelease(mInfo, mData, mSize);
}

const void* FontDataProvider::Data() const noexcept
{
  return mData;
}

size_t FontDataProvider::Size() const noexcept
{
  return mSize;
}

bool FontDataProvider::CopyData(HeapBuf& out) const noexcept
{
  if (mSize > static_cast<size_t>(HeapBuf::kMaxAlloc)) {
    out.Resize(0);
    return false;
  }
  const int n = static_cast<int>(mSize);
  out.Resize(n);
  if (out.GetSize() != n) {
    out.Resize(0);
    return false;
  }
  if (n > 0) std::memcpy(out.Get(), mData, mSize);
  return true;
}

} // namespace plugin::sys
