#pragma once

#include "graphics/resources/LocateResource.h"

namespace plugin::ui::test {

// Makes locator the toolkit's resource locator for the lifetime of the object (the platform's, in
// tests of the platform layer); the locator installed before comes back after.
class ScopedResourceLocator
{
public:
  explicit ScopedResourceLocator(ResourceLocator locator) : mPrevious(GetResourceLocator())
  {
    SetResourceLocator(locator);
  }
  ~ScopedResourceLocator() { SetResourceLocator(mPrevious); }
  ScopedResourceLocator(const ScopedResourceLocator&) = delete;
  ScopedResourceLocator& operator=(const ScopedResourceLocator&) = delete;

private:
  ResourceLocator mPrevious;
};

} // namespace plugin::ui::test
