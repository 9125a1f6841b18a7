#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <stdlib.h>

namespace testsupport {

TempFolder::TempFolder(const std::string& prefix)
    : mPath((std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string())
{
  if (!::mkdtemp(mPath.data())) throw std::runtime_error("cannot make a temporary folder from " + mPath);
}

TempFolder::~TempFolder()
{
  std::error_code ec;
  std::filesystem::remove_all(mPath, ec);
}

std::vector<std::string> TempFolder::Entries() const
{
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(mPath))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string TempFolder::WriteFile(const std::string& name, const std::string& bytes) const
{
  const std::string path = *this / name;
  std::ofstream file(path, std::ios::binary);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush())
    throw std::runtime_error("cannot write " + path);
  return path;
}

} // namespace testsupport
