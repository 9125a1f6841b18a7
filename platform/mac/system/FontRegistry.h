#pragma once

#include "platform/mac/system/FontDescriptor.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The installed fonts: every usable face of the font files (.ttf, .otf, .ttc, any case) found in
// the font folders and their sub-folders, listed folder by folder and by path inside a folder.
// The folders are configurable; the defaults are the platform's user, local and system font
// folders under the (overridable) home and root. Scanned on first use and again whenever the
// folder list changes. Thread-safe; a query may scan (file access) and allocates.
namespace plugin::sys {

class FontRegistry
{
public:
  // The process-wide registry.
  static FontRegistry& Shared();

  // Searches these folders from now on; an empty list returns to the defaults.
  void SetFolders(std::vector<std::string> folders);

  // The folders searched now (the configured ones or the defaults).
  std::vector<std::string> Folders() const;

  // The installed faces of that family (ASCII case ignored) whose style name is exactly style (as
  // the face search of the font data compares it), in list order;
  // empty when either name is "".
  std::vector<std::shared_ptr<const FontDescriptor>> Match(const std::string& family,
                                                           const std::string& style);

private:
  // Rescans when the folders differ from those of the last scan. Call with mMutex held.
  void ScanIfStale();

  mutable std::mutex mMutex;
  std::vector<std::string> mFolders; // configured; empty means the defaults
  std::vector<std::string> mScannedFolders;
  bool mScanned = false;
  std::vector<std::shared_ptr<const FontDescriptor>> mFonts;
};

} // namespace plugin::sys
