#include "tools/editor/BundleCheck.h"

#include "tools/artwork/ArtworkTable.h"

#include <filesystem>

namespace kelmo::editor {

bool CheckEditorBundle(const std::string& dir, std::string& error)
{
  namespace fs = std::filesystem;
  std::error_code ec;
  if (dir.empty()) {
    error = "no plug-in bundle to take the editor's pictures from (--bundle DIR)";
    return false;
  }
  if (!fs::exists(dir, ec)) {
    error = "bundle '" + dir + "' does not exist";
    return false;
  }
  if (!fs::is_directory(dir, ec)) {
    error = "bundle '" + dir + "' is not a folder";
    return false;
  }
  const fs::path resources = fs::path(dir) / "Contents" / "Resources";
  for (const kelmo::artwork::ArtworkSpec& picture : kelmo::artwork::ArtworkTable()) {
    const std::string scaled = kelmo::artwork::ScaledFileName(picture.name, kelmo::artwork::kArtworkScale);
    if (!fs::is_regular_file(resources / scaled, ec) && !fs::is_regular_file(resources / picture.name, ec)) {
      error = "bundle '" + dir + "' lacks the editor's picture Contents/Resources/" + scaled;
      return false;
    }
  }
  return true;
}

} // namespace kelmo::editor
