#pragma once

#include "platform/mac/system/Image.h"
#include "platform/mac/system/Url.h"

#include <string>
#include <vector>

// The workspace: opening addresses in the person's browser, opening files and folders in the
// file browser, and file icons. Nothing is launched here; every request is recorded, and a test
// can make opening addresses fail. Main thread only.
namespace plugin::sys {

class Workspace
{
public:
  static Workspace& Shared();

  // Opens url in its application; the recorded answer (true unless SetOpensUrls(false)).
  bool OpenUrl(const Url& url);
  // Opens the file or folder at path; false when nothing exists there.
  bool OpenFile(const std::string& path);
  // Shows path selected in a file browser window rooted at rootFolder ("" for the default root);
  // false when path, or a given root, does not exist.
  bool SelectFile(const std::string& path, const std::string& rootFolder);
  // The icon of the file at path: a 32 x 32 point image.
  ImageRef IconForFile(const std::string& path);

  // What was opened and selected, in order (tests).
  const std::vector<std::string>& OpenedUrls() const noexcept { return mOpenedUrls; }
  const std::vector<std::string>& OpenedFiles() const noexcept { return mOpenedFiles; }
  const std::vector<std::string>& SelectedFiles() const noexcept { return mSelectedFiles; }
  // Whether OpenUrl succeeds (a system with no browser answers false).
  void SetOpensUrls(bool opens) noexcept { mOpensUrls = opens; }

  // Nothing recorded, addresses open (tests).
  void Reset();

private:
  bool mOpensUrls = true;
  std::vector<std::string> mOpenedUrls, mOpenedFiles, mSelectedFiles;
};

} // namespace plugin::sys
