#include "platform/mac/MacPaths.h"

#include "platform/mac/system/Bundle.h"
#include "platform/mac/system/FileManager.h"
#include "platform/mac/system/PathString.h"
#include "platform/mac/system/StandardFolders.h"

#include <cstring>
#include <string>
#include <strings.h>

namespace plugin::ui {

namespace {

constexpr int kMaxPathLength = 1024;

using sys::SearchPathDirectory;
using sys::SearchPathDomain;

// The text after the last '.' of name, or the whole name when it has none.
const char* ExtensionOf(const char* name)
{
  const char* dot = std::strrchr(name, '.');
  return dot ? dot + 1 : name;
}

bool ExtensionMatches(const char* fileName, const char* searchExt)
{
  return fileName && searchExt && ::strcasecmp(ExtensionOf(fileName), searchExt) == 0;
}

// Writes the file's on-disk spelling when it exists (the platform's volumes ignore case).
bool SetIfExists(StringBuf& result, const std::string& candidate)
{
  const std::string spelled = sys::ExistingPathSpelling(candidate.c_str());
  if (spelled.empty()) return false;
  result.Set(spelled.c_str());
  return true;
}

} // namespace

int MacLocateResource(const char* name, const char* type, StringBuf& result, const char* bundleID,
                      void* /*platformHandle*/, const char* sharedResourcesSubPath)
{
  result.Set("");
  if (!name || !*name) return kResourceNotFound;
  if (GetResourcePathFromBundle(name, type, result, bundleID) ||
      GetResourcePathFromSharedLocation(name, type, result, sharedResourcesSubPath))
    return kResourceFoundAsFile;
  return SetIfExists(result, name) ? kResourceFoundAsFile : kResourceNotFound;
}

void InstallMacResourceLocator() noexcept
{
  SetResourceLocator(&MacLocateResource);
}

bool GetResourcePathFromBundle(const char* fileName, const char* searchExt, StringBuf& fullPath,
                               const char* bundleID)
{
  fullPath.Set("");
  if (!ExtensionMatches(fileName, searchExt)) return false;
  const auto bundle = sys::Bundle::WithIdentifier(bundleID);
  if (!bundle) return false;
  const std::string folder =
      IsAUv3AppExtension()
          ? sys::AppendingPathComponent(
                sys::DeletingLastPathComponent(sys::DeletingLastPathComponent(bundle->BundlePath())),
                "Resources")
          : bundle->ResourcePath();
  const std::string candidate = folder + "/" + sys::DeletingPathExtension(fileName) + "." + searchExt;
  return SetIfExists(fullPath, candidate);
}

bool GetResourcePathFromSharedLocation(const char* fileName, const char* searchExt, StringBuf& fullPath,
                                       const char* sharedResourcesSubPath)
{
  fullPath.Set("");
  if (!ExtensionMatches(fileName, searchExt) || !sharedResourcesSubPath || !*sharedResourcesSubPath)
    return false;
  std::string candidate = sys::FirstStandardFolder(SearchPathDirectory::Music, SearchPathDomain::User);
  candidate = sys::AppendingPathComponent(candidate, sharedResourcesSubPath);
  candidate = sys::AppendingPathComponent(candidate, "Resources");
  candidate =
      sys::AppendingPathComponent(candidate, sys::DeletingPathExtension(sys::LastPathComponent(fileName)));
  return SetIfExists(fullPath, sys::AppendingPathExtension(candidate, searchExt));
}

void HostPath(StringBuf& path, const char* bundleID)
{
  if (const auto bundle = sys::Bundle::WithIdentifier(bundleID)) path.Set(bundle->ExecutablePath().c_str());
}

void PluginPath(StringBuf& path, const char* bundleID)
{
  const auto bundle = sys::Bundle::WithIdentifier(bundleID);
  if (!bundle) return;
  std::string folder = sys::DeletingLastPathComponent(bundle->BundlePath());
  if (folder.empty() || folder.back() != '/') folder += '/';
  path.Set(folder.c_str());
}

void BundleResourcePath(StringBuf& path, const char* bundleID)
{
  if (const auto bundle = sys::Bundle::WithIdentifier(bundleID)) path.Set(bundle->ResourcePath().c_str());
}

void DesktopPath(StringBuf& path)
{
  path.Set(sys::FirstStandardFolder(SearchPathDirectory::Desktop, SearchPathDomain::User).c_str());
}

void UserHomePath(StringBuf& path)
{
  path.Set(sys::HomeDirectory().c_str());
}

void UserMusicPath(StringBuf& path)
{
  path.Set(sys::FirstStandardFolder(SearchPathDirectory::Music, SearchPathDomain::User).c_str());
}

void VST3PresetsPath(StringBuf& path, const char* mfrName, const char* pluginName, bool isSystem)
{
  const std::string library = sys::FirstStandardFolder(
      SearchPathDirectory::Library, isSystem ? SearchPathDomain::Local : SearchPathDomain::User);
  path.SetFormatted(kMaxPathLength, "%s/Audio/Presets/%s/%s/", library.c_str(), mfrName ? mfrName : "",
                    pluginName ? pluginName : "");
}

void AppSupportPath(StringBuf& path, bool isSystem)
{
  path.Set(sys::FirstStandardFolder(SearchPathDirectory::ApplicationSupport,
                                    isSystem ? SearchPathDomain::System : SearchPathDomain::User)
               .c_str());
}

void AppSupportSubPath(StringBuf& path, const char* subFolder)
{
  const std::string support =
      sys::FirstStandardFolder(SearchPathDirectory::ApplicationSupport, SearchPathDomain::User);
  path.SetFormatted(kMaxPathLength, "%s/%s", support.c_str(), subFolder ? subFolder : "");
}

void AppGroupContainerPath(StringBuf& path, const char* appGroupID)
{
  path.Set(sys::GroupContainerDirectory(appGroupID).c_str());
}

bool IsAUv3AppExtension()
{
  return sys::Bundle::Main()->Identifier().find("AUv3") != std::string::npos;
}

bool IsSandboxed()
{
  return sys::HomeDirectory().find("Library/Containers/") != std::string::npos;
}

bool IsXPCProcess()
{
  return sys::ProcessName().find("XPC") != std::string::npos;
}

} // namespace plugin::ui
