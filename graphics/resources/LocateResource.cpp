#include "graphics/resources/LocateResource.h"

#include <atomic>

namespace plugin::ui {

namespace {

std::atomic<ResourceLocator> sLocator{&LocateNoResource};

} // namespace

int LocateNoResource(const char*, const char*, StringBuf& result, const char*, void*, const char*)
{
  result.Set("");
  return kResourceNotFound;
}

void SetResourceLocator(ResourceLocator locator) noexcept
{
  sLocator.store(locator ? locator : &LocateNoResource);
}

ResourceLocator GetResourceLocator() noexcept
{
  return sLocator.load();
}

int LocateResource(const char* name, const char* type, StringBuf& result, const char* bundleID,
                   void* platformHandle, const char* sharedResourcesSubPath)
{
  return GetResourceLocator()(name, type, result, bundleID, platformHandle, sharedResourcesSubPath);
}

} // namespace plugin::ui
