#include "graphics/LocateResource.h"
#include "support/ui/ResourceFolder.h"

// The resource locator of toolkit tests: resources come from the test's ResourceFolder.
int plugin::ui::LocateResource(const char* name, const char* type, StringBuf& result, const char*, void*,
                               const char* subPath)
{
  return test::ResourceFolder::Locate(name, type ? type : "", result, subPath ? subPath : "");
}
