#pragma once

#include <optional>
#include <string>

namespace kelmo::render {

// Keeps plug-in instances built while it lives from reading the user's own preset of slot 0:
// points the user preset folder variable at a new empty folder, and puts the variable and the
// folder back on destruction. Main thread; one at a time.
class UserPresetIsolation
{
public:
  UserPresetIsolation();
  ~UserPresetIsolation();
  UserPresetIsolation(const UserPresetIsolation&) = delete;
  UserPresetIsolation& operator=(const UserPresetIsolation&) = delete;

private:
  std::optional<std::string> mPrevious;
  std::string mFolder;
};

} // namespace kelmo::render
