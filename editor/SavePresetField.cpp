#include "editor/SavePresetField.h"

#include "editor/PresetControllerMenu.h"
#include "framework/queues/IKeyPress.h"
#include "framework/runloop/Timer.h"
#include "framework/text/UnicodeCodec.h"
#include "graphics/canvas/ICanvas.h"

#include <new>

namespace plugin::ui {

savePresetField::savePresetField(const IRECT& bounds, UserPresetParams params, int slot, const IText& text)
    : IEditableTextControl(bounds, kSavePresetPrompt, text, COLOR_TRANSPARENT, false),
      mParams(std::move(params)), mSlot(slot)
{
  SetActionFunction(RemoveSaveFieldAction);
}

savePresetField::~savePresetField() = default;

bool savePresetField::OnKeyDown(float, float, const IKeyPress& key)
{
  if (key.mVKey != vkey::kEscape) return false;
  RemoveLater(); // the graphics context is still dispatching this key to the field
  return true;
}

void savePresetField::OnTextEntryCompletion(const char* str, int)
{
  const char* name = str ? str : "";
  const bool saved = WriteUserPresetFile(mSlot, mParams, name);
  SetStr(text::ValidUtf8(name).c_str());
  if (auto* bar = dynamic_cast<PresetControllerMenu*>(GetParent())) bar->ShowSaveResult(saved, name);
  SetDirty(true);
}

void savePresetField::RemoveLater()
{
  if (mRemoval) return;
  SetIgnoreMouse(true); // a field on its way out opens no further text entry
  // Deleting the field deletes this timer inside its own callback, which the timer allows. The
  // callback is an entry point into the editor: out of memory there, the field stays until the
  // bar or the editor removes it.
  mRemoval = plugin::Timer::Create(
      [this](plugin::Timer&) {
        try {
          if (ICanvas* ui = GetUI()) ui->RemoveControl(this);
        } catch (const std::bad_alloc&) {
        }
      },
      0);
}

void RemoveSaveFieldAction(IControl* c)
{
  ICanvas* ui = c ? c->GetUI() : nullptr;
  if (!ui) return;
  if (auto* field = dynamic_cast<savePresetField*>(ui->GetControlWithTag(kCtrlTagSavePresetField)))
    field->RemoveLater();
}

} // namespace plugin::ui
