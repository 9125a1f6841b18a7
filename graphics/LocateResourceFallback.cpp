#include "graphics/LocateResource.h"

// The platform layer defines LocateResource (and the toolkit's tests define their own over a
// temporary folder). This weak definition only stands in where neither is linked, so that a
// program using the graphics context without any resources (the plug-in before its editor is
// wired to the platform, engine tests) still links: it finds nothing, and loading reports that as
// an empty result. Any strong definition that is linked replaces it.
__attribute__((weak)) int plugin::ui::LocateResource(const char*, const char*, StringBuf& result, const char*,
                                                     void*, const char*)
{
  result.Set("");
  return kResourceNotFound;
}
