#include "platform/mac/system/Workspace.h"

#include "platform/mac/system/FileManager.h"

namespace plugin::sys {

Workspace& Workspace::Shared()
{
  static Workspace workspace;
  return workspace;
}

bool Workspace::OpenUrl(const Url& url)
{
  if (!mOpensUrls) return false;
  mOpenedUrls.push_back(url.AbsoluteString());
  return true;
}

bool Workspace::OpenFile(const std::string& path)
{
  if (ExistingPathSpelling(path.c_str()).empty()) return false;
  mOpenedFiles.push_back(path);
  return true;
}

bool Workspace::SelectFile(const std::string& path, const std::string& rootFolder)
{
  if (ExistingPathSpelling(path.c_str()).empty()) return false;
  if (!rootFolder.empty() && ExistingPathSpelling(rootFolder.c_str()).empty()) return false;
  mSelectedFiles.push_back(path);
  return true;
}

ImageRef Workspace::IconForFile(const std::string&)
{
  return std::make_shared<Image>(Size{32.0, 32.0});
}

void Workspace::Reset()
{
  mOpensUrls = true;
  mOpenedUrls.clear();
  mOpenedFiles.clear();
  mSelectedFiles.clear();
}

} // namespace plugin::sys
