#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder (named <prefix>-XXXXXX), removed with
// everything in it when the object goes. Throws std::runtime_error when it cannot be made, which
// fails the test that wanted it.
class TempFolder
{
public:
  explicit TempFolder(const std::string& prefix = "kelmo-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, without a trailing slash.
  const std::string& Path() const noexcept { return mPath; }
  // The path of name inside the folder.
  std::string operator/(const std::string& name) const { return mPath + "/" + name; }
  // Names of everything directly in the folder (hidden files included), sorted.
  std::vector<std::string> Entries() const;
  // Writes bytes as the file name in the folder; its path. Throws when it cannot be written.
  std::string WriteFile(const std::string& name, const std::string& bytes) const;

private:
  std::string mPath;
};

} // namespace testsupport
