#pragma once

#include "framework/buffers/StringBuf.h"

namespace plugin::ui {

// Where LocateResource found a resource: nowhere, or as a file whose full path is in the result.
inline constexpr int kResourceNotFound = 0;
inline constexpr int kResourceFoundAsFile = 1;

// The full path of resource `name` of type `type` (an extension such as "png"), as the platform
// layer finds it: in the Resources folder of the bundle bundleID, then in the shared resources
// folder under sharedResourcesSubPath, then as a path of its own. kResourceFoundAsFile with the
// path in result, or kResourceNotFound with result "" (also for a null or empty name).
// platformHandle is the context's platform resource handle (unused on this platform).
// Defined by the platform layer; called by the graphics context's resource loading on the main
// thread; touches the file system; allocates.
int LocateResource(const char* name, const char* type, StringBuf& result, const char* bundleID,
                   void* platformHandle, const char* sharedResourcesSubPath);

} // namespace plugin::ui
