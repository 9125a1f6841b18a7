#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/resources/LocateResource.h"

// Where the platform finds resources and the user's folders: resources by name (the platform's
// resource locator) in the plug-in bundle, then in the shared resources folder, then as a path;
// host and plug-in paths, the preset and support folders. Main thread (the lookups touch the file
// system); allocate.
namespace plugin::ui {

// The platform's resource locator (see ResourceLocator): the resource in the Resources folder of
// bundle bundleID, then in the shared resources folder under sharedResourcesSubPath, then name as
// a path of its own; the path as spelled on disk. platformHandle is unused on this platform.
int MacLocateResource(const char* name, const char* type, StringBuf& result, const char* bundleID,
                      void* platformHandle, const char* sharedResourcesSubPath);

// Makes MacLocateResource the toolkit's resource locator (SetResourceLocator). Called by whoever
// assembles the plug-in or a program with this platform layer, before its editor opens; any
// thread; lock-free.
void InstallMacResourceLocator() noexcept;

// The resource in bundle bundleID's Resources folder (for an app extension, the Resources folder
// two levels up from the bundle): the extension of fileName (the text after its last '.', the whole
// name without one) must equal searchExt ignoring case; fileName keeps its folder parts. False
// with fullPath "" when the extension differs, the bundle is not loaded or the file is missing.
bool GetResourcePathFromBundle(const char* fileName, const char* searchExt, StringBuf& fullPath,
                               const char* bundleID);

// The resource in <Music>/<sharedResourcesSubPath>/Resources/ by the last component of fileName
// (same extension test). False with fullPath "" when no sub-path is given or the file is missing.
bool GetResourcePathFromSharedLocation(const char* fileName, const char* searchExt, StringBuf& fullPath,
                                       const char* sharedResourcesSubPath);

// The executable of bundle bundleID; path unchanged when no such bundle is loaded.
void HostPath(StringBuf& path, const char* bundleID);
// The folder that holds bundle bundleID, ending in "/"; unchanged when no such bundle is loaded.
void PluginPath(StringBuf& path, const char* bundleID);
// The Resources folder of bundle bundleID; unchanged when no such bundle is loaded.
void BundleResourcePath(StringBuf& path, const char* bundleID);
// The user's Desktop, home and Music folders.
void DesktopPath(StringBuf& path);
void UserHomePath(StringBuf& path);
void UserMusicPath(StringBuf& path);
// "<Library>/Audio/Presets/<maker>/<plug-in>/" with the user's Library folder, or the local one
// when isSystem; at most 1024 characters; a null name counts as "".
void VST3PresetsPath(StringBuf& path, const char* mfrName, const char* pluginName, bool isSystem);
// The Application Support folder of the user, or of the system when isSystem.
void AppSupportPath(StringBuf& path, bool isSystem);
// The user's Application Support folder + "/" + subFolder (at most 1024 characters).
void AppSupportSubPath(StringBuf& path, const char* subFolder);
// The shared container of an application group; "" for a null or empty group.
void AppGroupContainerPath(StringBuf& path, const char* appGroupID);

// Whether the main bundle's identifier contains "AUv3".
bool IsAUv3AppExtension();
// Whether the home folder path contains "Library/Containers/".
bool IsSandboxed();
// Whether the process name contains "XPC".
bool IsXPCProcess();

} // namespace plugin::ui
