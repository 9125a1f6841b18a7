#include "graphics/LocateResource.h"
#include "support/ui/ResourceFolder.h"

// The resource locator of toolkit tests: resources come from the test's ResourceFolder instead of
// a bundle, so the toolkit's tests need not link the platform layer.
int plugin::ui::LocateResource(const char* name, const char* type, StringBuf& result, const char* bundleID,
                               void*, const char* sharedResourcesSubPath)
{
  return test::LocateInResourceFolder(name, type, result, bundleID, sharedResourcesSubPath);
}
