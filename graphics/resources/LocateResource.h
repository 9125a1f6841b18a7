#pragma once

#include "framework/buffers/StringBuf.h"

namespace plugin::ui {

// Where LocateResource found a resource: nowhere, or as a file whose full path is in the result.
inline constexpr int kResourceNotFound = 0;
inline constexpr int kResourceFoundAsFile = 1;

// A resource locator: the full path of resource `name` of type `type` (an extension such as
// "png"), kResourceFoundAsFile with the path in result, or kResourceNotFound with result "" (also
// for a null or empty name). bundleID and sharedResourcesSubPath say where the platform looks;
// platformHandle is the context's platform resource handle. Called on the main thread (and by
// resource loads on other threads); touches the file system; allocates.
using ResourceLocator = int (*)(const char* name, const char* type, StringBuf& result, const char* bundleID,
                                void* platformHandle, const char* sharedResourcesSubPath);

// The locator that finds nothing: result "" and kResourceNotFound for every name. It is the one
// installed until a platform layer (or a test) installs its own.
int LocateNoResource(const char* name, const char* type, StringBuf& result, const char* bundleID,
                     void* platformHandle, const char* sharedResourcesSubPath);

// Makes locator the one LocateResource calls (null: LocateNoResource again). The toolkit knows no
// platform: whoever assembles the plug-in or a program with a platform layer (the bundle entry, a
// tool, a test) installs that layer's locator before any resource is loaded. Any thread; lock-free.
void SetResourceLocator(ResourceLocator locator) noexcept;
// The installed locator (never null). Any thread; lock-free.
ResourceLocator GetResourceLocator() noexcept;

// Locates resource name through the installed locator (see ResourceLocator). Called by the
// graphics context's resource loading and the platform's font loading.
int LocateResource(const char* name, const char* type, StringBuf& result, const char* bundleID,
                   void* platformHandle, const char* sharedResourcesSubPath);

} // namespace plugin::ui
