#pragma once

#include <optional>
#include <string>

namespace kelmo::render {

// Keeps plug-in instances built while it lives from reading the user's own preset of slot 0:
// points the user preset folder variable at a new empty folder named after the tool
// ("<tool>-XXXXXX" in the system's temporary folder), and puts the variable back and removes the
// folder on destruction, or on a signal that ends the process (see InterruptCleanup.h).
// Main thread; one at a time.
class UserPresetIsolation
{
public:
  explicit UserPresetIsolation(const std::string& tool = "kelmo-render");
  ~UserPresetIsolation();
  UserPresetIsolation(const UserPresetIsolation&) = delete;
  UserPresetIsolation& operator=(const UserPresetIsolation&) = delete;

  // The folder the instances see ("" when none could be made: they then see a folder that
  // cannot exist).
  const std::string& Folder() const noexcept { return mFolder; }

private:
  std::optional<std::string> mPrevious;
  std::string mFolder;
};

} // namespace kelmo::render
