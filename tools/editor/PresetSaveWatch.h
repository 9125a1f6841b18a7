#pragma once

#include <optional>
#include <string>

namespace plugin::ui {
class IControl;
} // namespace plugin::ui

namespace kelmo::editor {

class EditorSession;

// Whether a preset named in the editor's save field reached its file. When the field's text
// entry ends, the editor writes the slot's user preset file and says nothing when the write
// fails; the tool looks at the file itself. Main thread, around each step of a script.
class PresetSaveWatch
{
public:
  // Called before a step: remembers the save field in text entry, if any, with its slot's file
  // as it is now.
  void Before(EditorSession& session);
  // Called after the step: when that field's text entry ended with the field still there (a
  // confirmed name; a field removed while typing saves nothing), false with error set unless the
  // file at the slot's path changed (a new one, or the old one rewritten). True otherwise.
  bool After(EditorSession& session, std::string& error);

private:
  // What tells one file at the path from another: device, inode, modification time, size.
  struct FileIdentity
  {
    unsigned long long device = 0, inode = 0, size = 0;
    long long seconds = 0, nanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
  };
  static std::optional<FileIdentity> IdentityOf(const std::string& path);

  const plugin::ui::IControl* mField = nullptr; // for comparison only; it may be gone
  int mSlot = -1;
  std::string mPath;
  std::optional<FileIdentity> mBefore;
};

} // namespace kelmo::editor
