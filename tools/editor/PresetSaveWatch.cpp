#include "tools/editor/PresetSaveWatch.h"

#include "editor/SavePresetField.h"
#include "engine/presets/UserPresetLocation.h"
#include "platform/mac/ICanvasMac.h"
#include "tools/editor/EditorSession.h"

#include <sys/stat.h>

namespace kelmo::editor {

namespace {

// The save field whose text entry is open, or null.
const plugin::ui::savePresetField* FieldInTextEntry(EditorSession& session)
{
  plugin::ui::ICanvasMac* g = session.Graphics();
  return g ? dynamic_cast<const plugin::ui::savePresetField*>(g->GetControlInTextEntry()) : nullptr;
}

} // namespace

std::optional<PresetSaveWatch::FileIdentity> PresetSaveWatch::IdentityOf(const std::string& path)
{
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileIdentity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                      static_cast<unsigned long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
                      static_cast<long long>(st.st_mtim.tv_nsec)};
}

void PresetSaveWatch::Before(EditorSession& session)
{
  const plugin::ui::savePresetField* field = FieldInTextEntry(session);
  mField = field;
  if (!field) return;
  mSlot = field->GetSlot();
  mPath = UserPresetPath(mSlot);
  mBefore = IdentityOf(mPath);
}

bool PresetSaveWatch::After(EditorSession& session, std::string& error)
{
  if (!mField) return true;
  plugin::ui::ICanvasMac* g = session.Graphics();
  // The entry ended with the field still attached: a confirmed name, which the editor saves.
  // A field removed while typing (the bar stepped on, a mode button) saved nothing.
  const bool confirmed = g && g->GetControlWithTag(plugin::ui::kCtrlTagSavePresetField) == mField &&
                         g->GetControlInTextEntry() != mField;
  mField = nullptr;
  if (!confirmed) return true;
  // The editor renames a new file into place, or rewrites the file in place where a rename
  // cannot serve: either changes the identity (inode, size or modification time) at the path.
  const std::optional<FileIdentity> after = IdentityOf(mPath);
  if (after && after != mBefore) return true;
  error = "the preset for slot " + std::to_string(mSlot) + " was not saved: nothing was written to " +
          (mPath.empty() ? std::string("its file") : mPath);
  return false;
}

} // namespace kelmo::editor
