#pragma once

#include "platform/mac/system/StandardFolders.h"
#include "support/TempFolder.h"

// Points the system layer's home and root folders at fresh temporary folders for the lifetime of
// the object, so a test never reads or writes the real home; both overrides are removed after.
class ScopedSystemFolders
{
public:
  ScopedSystemFolders()
  {
    plugin::sys::SetHomeDirectory(mHome.Path().c_str());
    plugin::sys::SetSystemRootDirectory(mRoot.Path().c_str());
  }
  ~ScopedSystemFolders()
  {
    plugin::sys::SetHomeDirectory(nullptr);
    plugin::sys::SetSystemRootDirectory(nullptr);
  }
  ScopedSystemFolders(const ScopedSystemFolders&) = delete;
  ScopedSystemFolders& operator=(const ScopedSystemFolders&) = delete;

  const std::string& Home() const { return mHome.Path(); }
  const std::string& Root() const { return mRoot.Path(); }

private:
  testsupport::TempFolder mHome;
  testsupport::TempFolder mRoot;
};
