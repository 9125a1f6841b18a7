#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include <stdlib.h>

// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
class TempFolder
{
public:
  TempFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelmo-presets-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    mPath = pattern;
  }
  ~TempFolder()
  {
    std::error_code ec;
    std::filesystem::remove_all(mPath, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return mPath; }
  std::string operator/(const std::string& name) const { return mPath + "/" + name; }

private:
  std::string mPath;
};
