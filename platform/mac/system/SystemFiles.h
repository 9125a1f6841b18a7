#pragma once

#include "platform/mac/system/VectorArtwork.h"

#include <memory>
#include <optional>
#include <string>

// Files the headless system holds itself at fixed paths of the system volume, where a real
// system keeps its own resources: the cursor folder's "move" artwork (vector data, standing in
// for the picture file a real system keeps there) and its description, a property list. Paths
// match exactly. Tests may replace or withdraw them. Main thread.
namespace plugin::sys {

// The system's folder of cursor artwork, one folder per cursor name inside.
inline constexpr const char* kSystemCursorsFolder = "/System/Library/Frameworks/ApplicationServices.framework/"
                                                    "Versions/A/Frameworks/HIServices.framework/Versions/A/"
                                                    "Resources/cursors/";

class SystemFiles
{
public:
  // The text of the file the system holds at path; nothing when it holds none there.
  static std::optional<std::string> TextAt(const std::string& path);
  // The artwork of the picture file the system holds at path; null when it holds none there.
  static std::shared_ptr<const VectorArtwork> ArtworkAt(const std::string& path);

  // Serves text at path from now on, in place of what was there (tests).
  static void ServeText(const std::string& path, std::string text);
  // Takes the file at path away (tests).
  static void Withdraw(const std::string& path);
  // The system's own files back, and nothing else (tests).
  static void Reset();
};

} // namespace plugin::sys
